// The viewer reads txt/ and img/ in the dictionary folder named on its command line, or in its
// working directory.
#include "CommandLine.h"
#include "Startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // Read before the preload starts, which loads the chosen folder's text.
    const wordhoard::CommandLine commandLine = wordhoard::parseCommandLine(arguments);
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "wordhoard: %s\n%s\n", qPrintable(commandLine.error), qPrintable(wordhoard::usageLine()));
        return 2;
    }
    wordhoard::StartupPreload preload = wordhoard::StartupPreload::start(commandLine.folder);
    QApplication app(argc, argv);
    wordhoard::Startup startup(std::move(preload));
    return QApplication::exec();
}
