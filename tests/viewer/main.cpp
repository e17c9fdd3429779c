// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    // Widgets need the application object before the first test builds a window. Offscreen, the
    // screen is a common desktop's (Qt's own default is 800 x 600).
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") platform = "offscreen:configfile=" WORDHOARD_OFFSCREEN_SCREEN;
    qputenv("QT_QPA_PLATFORM", platform);
    // Settings of the tests' own: no test reads or writes the reader's.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wordhoard"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
