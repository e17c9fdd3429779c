// The viewer takes no command line: it reads txt/ and img/ in its working directory.
#include "Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    wordhoard::StartupPreload preload = wordhoard::StartupPreload::start();
    QApplication app(argc, argv);
    wordhoard::Startup startup(std::move(preload));
    return QApplication::exec();
}
