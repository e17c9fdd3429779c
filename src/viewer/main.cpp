// Start-up: title, windows, loading with the splash on screen, then the event loop.
#include "AboutBox.h"
#include "MainForm.h"
#include "MainUnit.h"
#include "SplashForm.h"

#include <QApplication>

using namespace wordhoard;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wordhoard"));

    MainUnit unit;
    TMainForm mainForm(unit);
    mainForm.hide();
    TSplashForm splash;
    splash.showAndPaint();
    TAboutBox aboutBox(&mainForm);
    mainForm.setAboutBox(&aboutBox);
    mainForm.LoadFile(QStringLiteral("txt/WH-main_01.txt"));
    mainForm.FillCombo();
    mainForm.Wordlist();
    splash.hide();
    mainForm.show();
    return QApplication::exec();
}
