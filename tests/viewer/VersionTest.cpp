// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's version and its documentation: --version, --help against the manual page, and
// the about box's version and link.
#include "dialogs/AboutBox.h"
#include "BuildInfo.h"

#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

using namespace wordhoard;
using wordhoard::testing::sourceDir;
using wordhoard::testing::TempDir;

namespace {

QString viewerOutput(const QStringList& arguments) {
    QProcess viewer;
    viewer.start(QStringLiteral(WORDHOARD_VIEWER), arguments);
    EXPECT_TRUE(viewer.waitForFinished(60000));
    EXPECT_EQ(viewer.exitCode(), 0);
    EXPECT_TRUE(viewer.readAllStandardError().isEmpty());
    return QString::fromLocal8Bit(viewer.readAllStandardOutput());
}

} // namespace

TEST(Version, TheViewerPrintsItsNameAndTheProjectVersion) {
    EXPECT_TRUE(QRegularExpression(u"^\\d+\\.\\d+(\\.\\d+)?$"_qs).match(QLatin1String(kVersion)).hasMatch())
        << kVersion;
    EXPECT_EQ(viewerOutput({u"--version"_qs}), u"wordhoard %1\n"_qs.arg(QLatin1String(kVersion)));
    // Before any window: with a folder that doesn't exist nothing is opened or reported.
    EXPECT_EQ(viewerOutput({u"/no/such/folder"_qs, u"--version"_qs}),
              u"wordhoard %1\n"_qs.arg(QLatin1String(kVersion)));
}

// The manual page is written by hand: every option --help lists must be described there.
TEST(Version, EveryOptionOfTheHelpIsInTheManualPage) {
    const QString help = viewerOutput({u"--help"_qs});
    EXPECT_EQ(help, viewerOutput({u"-h"_qs}));
    QFile page(sourceDir() + u"/docs/man/wordhoard.1.md"_qs);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(page.readAll());
    QStringList options;
    for (const auto& match : QRegularExpression(u"(?<![\\w-])--?[a-z][a-z-]*"_qs).globalMatch(help)) {
        options << match.captured();
    }
    options.removeDuplicates();
    for (const char* expected : {"--desktop", "--check", "--version", "--help", "-h"}) {
        EXPECT_TRUE(options.contains(QLatin1String(expected))) << expected;
    }
    for (const QString& option : options) {
        EXPECT_TRUE(manual.contains(u"**"_qs + option + u"**"_qs)) << option.toStdString();
    }
}

TEST(AboutBoxLink, OpensTheInstalledPageOrElseTheOneBesideTheProgram) {
    TempDir dir;
    // Installed: bin/ beside share/doc/wordhoard/.
    const QString installed = dir.write(u"usr/share/doc/wordhoard/index.html"_qs, "<html></html>");
    QDir().mkpath(dir.path(u"usr/bin"_qs));
    EXPECT_EQ(TAboutBox::documentationPage(dir.path(u"usr/bin"_qs)), QDir::cleanPath(installed));
    // The build tree: docs/index.html beside the program, which is also the answer when neither
    // exists (the link then opens nothing, silently).
    dir.write(u"build/src/viewer/docs/index.html"_qs, "<html></html>");
    EXPECT_EQ(TAboutBox::documentationPage(dir.path(u"build/src/viewer"_qs)),
              dir.path(u"build/src/viewer/docs/index.html"_qs));
    EXPECT_EQ(TAboutBox::documentationPage(dir.path(u"elsewhere"_qs)),
              dir.path(u"elsewhere/docs/index.html"_qs));
    // This test runs in the build tree.
    EXPECT_EQ(TAboutBox::pageUrl().toLocalFile(),
              QDir(QCoreApplication::applicationDirPath()).filePath(u"docs/index.html"_qs));
}

TEST(AboutBoxVersion, StandsBesideTheDesignedCaptionsWithoutTouchingThem) {
    TAboutBox box;
    box.show();
    EXPECT_EQ(box.ProgramVersion->text(), u"Wordhoard %1"_qs.arg(QLatin1String(kVersion)));
    EXPECT_EQ(box.Comments->text(), u"ver. 0.2b"_qs);
    EXPECT_EQ(box.Label1->text(), u"Program: Wordhoard, 2026"_qs);
    EXPECT_LE(box.ProgramVersion->fontMetrics().horizontalAdvance(box.ProgramVersion->text()),
              box.ProgramVersion->width());
    // Inside the panel, clear of every other label and of the OK button.
    EXPECT_TRUE(box.Panel1->rect().contains(box.ProgramVersion->geometry()));
    for (QLabel* other : box.Panel1->findChildren<QLabel*>()) {
        if (other != box.ProgramVersion) {
            EXPECT_FALSE(other->geometry().intersects(box.ProgramVersion->geometry()))
                << other->objectName().toStdString();
        }
    }
    EXPECT_FALSE(box.OKButton->geometry().intersects(box.ProgramVersion->geometry()));
}
