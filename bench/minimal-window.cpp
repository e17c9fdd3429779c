// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for start-up: a Qt Widgets program that shows an empty main window and ends at
// its first painted frame.
#include "FirstPaint.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(847, 522);
    new ExitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
