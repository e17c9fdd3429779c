// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/CommandLine.h"

#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QProcess>

using namespace wordhoard;

TEST(CommandLine, NoArgumentIsTheWorkingDirectoryAndOneArgumentTheFolder) {
    EXPECT_EQ(parseCommandLine({}).folder, QString());
    EXPECT_EQ(parseCommandLine({}).error, QString());
    const CommandLine one = parseCommandLine({u"/d/oe"_qs});
    EXPECT_EQ(one.folder, u"/d/oe"_qs);
    EXPECT_TRUE(one.error.isEmpty());
    // After "--" a name may begin with a dash; a lone "-" is a name too.
    EXPECT_EQ(parseCommandLine({u"--"_qs, u"-odd"_qs}).folder, u"-odd"_qs);
    EXPECT_EQ(parseCommandLine({u"-"_qs}).folder, u"-"_qs);
}

TEST(CommandLine, QtsOwnOptionsAreLeftToQtWithTheirValues) {
    for (const QStringList& arguments :
         {QStringList{u"-platform"_qs, u"offscreen"_qs, u"/d/oe"_qs}, QStringList{u"/d/oe"_qs, u"--style"_qs, u"fusion"_qs},
          QStringList{u"-style=fusion"_qs, u"-reverse"_qs, u"/d/oe"_qs, u"-qmljsdebugger=port:1"_qs},
          QStringList{u"-display"_qs, u":1"_qs, u"-geometry"_qs, u"100x100"_qs, u"/d/oe"_qs}}) {
        const CommandLine line = parseCommandLine(arguments);
        EXPECT_EQ(line.folder, u"/d/oe"_qs) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
    }
    // The value is Qt's, even where it looks like a folder.
    EXPECT_EQ(parseCommandLine({u"-platform"_qs, u"offscreen"_qs}).folder, QString());
}

TEST(CommandLine, UsageErrorsNameWhatIsWrong) {
    const struct {
        QStringList arguments;
        const char* says;
    } cases[] = {
        {{u"a"_qs, u"b"_qs}, "one dictionary folder at most, not 2"},
        {{u"a"_qs, u"--"_qs, u"b"_qs}, "one dictionary folder at most, not 2"},
        {{u"--bogus"_qs}, "Unknown option 'bogus'."},
        {{u"-x"_qs, u"a"_qs}, "Unknown option 'x'."},
        {{u"--folder=a"_qs}, "Unknown option 'folder'."},
        {{u"a"_qs, u"-style"_qs}, "Missing value after '-style'."},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.error, QString::fromUtf8(c.says)) << c.arguments.join(u' ').toStdString();
    }
}

// The program itself: a usage error ends it before any window, with status 2.
TEST(CommandLine, TheViewerPrintsUsageOnStderrAndExitsTwo) {
    for (const QStringList& arguments : {QStringList{u"a"_qs, u"b"_qs}, QStringList{u"--bogus"_qs}}) {
        QProcess viewer;
        viewer.start(QStringLiteral(WORDHOARD_VIEWER), arguments);
        ASSERT_TRUE(viewer.waitForFinished(60000));
        EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(viewer.exitCode(), 2);
        const QString err = QString::fromLocal8Bit(viewer.readAllStandardError());
        EXPECT_TRUE(err.startsWith(u"wordhoard: "_qs)) << err.toStdString();
        EXPECT_TRUE(err.contains(u"usage: wordhoard [FOLDER]"_qs)) << err.toStdString();
        EXPECT_TRUE(viewer.readAllStandardOutput().isEmpty());
    }
}
