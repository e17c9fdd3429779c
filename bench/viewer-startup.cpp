// The viewer's whole start-up, then quit as soon as the main window is shown: run it in a folder
// whose txt/WH-main_01.txt is the dictionary to measure (bench/run-benchmarks does). Its main()
// is the viewer's own plus the quit.
#include "startup/Startup.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    wordhoard::StartupPreload preload = wordhoard::StartupPreload::start();
    QApplication app(argc, argv);
    wordhoard::Startup startup(std::move(preload));
    QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
