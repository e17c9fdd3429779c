// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where a viewer started from its desktop entry finds its dictionary: the places and their order,
// then the real program with --desktop --check.
#include "startup/CommandLine.h"
#include "startup/DesktopStart.h"
#include "display/PageFiles.h"

#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

using namespace wordhoard;
using wordhoard::testing::TempDir;

TEST(DesktopDictionaryPlaces, FollowTheXdgVariablesAndTheirDefaults) {
    const QString home = u"/home/u"_qs;
    EXPECT_EQ(desktopDictionaryPlaces({}, {}, home),
              (QStringList{u"/home/u/.local/share/wordhoard"_qs, u"/usr/local/share/wordhoard"_qs,
                           u"/usr/share/wordhoard"_qs}));
    EXPECT_EQ(desktopDictionaryPlaces(u"/x/data/"_qs, u"/a:/b/"_qs, home),
              (QStringList{u"/x/data/wordhoard"_qs, u"/a/wordhoard"_qs, u"/b/wordhoard"_qs}));
    // Relative paths and empty entries are not places; nothing left gives the defaults.
    EXPECT_EQ(desktopDictionaryPlaces(u"rel/data"_qs, u"rel::/a"_qs, home),
              (QStringList{u"/home/u/.local/share/wordhoard"_qs, u"/a/wordhoard"_qs}));
    EXPECT_EQ(desktopDictionaryPlaces({}, u"::rel"_qs, home).mid(1),
              (QStringList{u"/usr/local/share/wordhoard"_qs, u"/usr/share/wordhoard"_qs}));
}

TEST(FindDesktopDictionary, TheFirstPlaceHoldingTheTextWinsAndNoneNamesThemAll) {
    TempDir dir;
    const QStringList places{dir.path(u"home"_qs), dir.path(u"local"_qs), dir.path(u"system"_qs)};
    dir.write(u"system/txt/WH-main_01.txt"_qs, "#<b>a</b>");
    dir.write(u"local/img/wh_b0001.jpg"_qs, "pictures alone are no dictionary");
    EXPECT_EQ(findDesktopDictionary(places).folder, places[2]);
    EXPECT_TRUE(findDesktopDictionary(places).error.isEmpty());
    // A folder where the text should be is skipped too.
    QDir().mkpath(dir.path(u"local/txt/WH-main_01.txt"_qs));
    EXPECT_EQ(findDesktopDictionary(places).folder, places[2]);
    dir.write(u"home/txt/WH-main_01.txt"_qs, "#<b>b</b>");
    EXPECT_EQ(findDesktopDictionary(places).folder, places[0]);

    const DesktopFolder none = findDesktopDictionary(places.mid(1, 1));
    EXPECT_EQ(none.folder, places[1]);
    EXPECT_EQ(none.error,
              u"No dictionary found: none of these folders holds txt/WH-main_01.txt: "_qs + places[1]);
    const QStringList missing{dir.path(u"n1"_qs), dir.path(u"n2"_qs)};
    EXPECT_EQ(findDesktopDictionary(missing).error,
              u"No dictionary found: none of these folders holds txt/WH-main_01.txt: %1, %2"_qs.arg(
                  missing[0], missing[1]));
}

TEST(CommandLine, TheDesktopStartAndTheCheckAreOptionsBesideTheFolder) {
    const CommandLine both =
        parseCommandLine({u"--desktop"_qs, u"-platform"_qs, u"offscreen"_qs, u"--check"_qs});
    EXPECT_TRUE(both.desktop);
    EXPECT_TRUE(both.check);
    EXPECT_EQ(both.folder, QString());
    EXPECT_TRUE(both.error.isEmpty());
    const CommandLine withFolder = parseCommandLine({u"/d/oe"_qs, u"--desktop"_qs});
    EXPECT_TRUE(withFolder.desktop);
    EXPECT_EQ(withFolder.folder, u"/d/oe"_qs);
    EXPECT_FALSE(parseCommandLine({u"/d/oe"_qs}).desktop);
    EXPECT_TRUE(parseCommandLine({u"-h"_qs}).help);
    EXPECT_TRUE(parseCommandLine({u"--version"_qs}).version);
    // After "--" they are folder names; with one dash they are the same options, as Qt's own are.
    EXPECT_EQ(parseCommandLine({u"--"_qs, u"--desktop"_qs}).folder, u"--desktop"_qs);
    EXPECT_EQ(parseCommandLine({u"--desktop=yes"_qs}).error, u"Unexpected value after '--desktop'."_qs);
    EXPECT_TRUE(parseCommandLine({u"-desktop"_qs}).desktop);
}

namespace {

struct ViewerRun {
    int status = -1;
    QString out;
    QStringList errors; // the viewer's own lines on stderr ("wordhoard: ..."), not Qt's
};

// The viewer itself, offscreen, with --check, in `workDir` and with the XDG data folders given.
ViewerRun runViewer(const QStringList& arguments, const QString& workDir, const QString& dataHome,
                    const QString& dataDirs) {
    QProcess viewer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    environment.insert(u"XDG_DATA_HOME"_qs, dataHome);
    environment.insert(u"XDG_DATA_DIRS"_qs, dataDirs);
    viewer.setProcessEnvironment(environment);
    viewer.setWorkingDirectory(workDir);
    viewer.start(QStringLiteral(WORDHOARD_VIEWER), arguments);
    ViewerRun run;
    if (!viewer.waitForFinished(120000) || viewer.exitStatus() != QProcess::NormalExit) return run;
    run.status = viewer.exitCode();
    run.out = QString::fromLocal8Bit(viewer.readAllStandardOutput());
    for (const QString& line : QString::fromLocal8Bit(viewer.readAllStandardError()).split(u'\n')) {
        if (line.startsWith(u"wordhoard: "_qs)) run.errors << line;
    }
    return run;
}

class DesktopStartTest : public ::testing::Test {
  protected:
    // A dictionary of `headwords` entries in `folder` (relative to the test's folder).
    void dictionary(const QString& folder, int headwords) {
        QByteArray text = "@wh_b0001\r\n";
        for (int i = 0; i < headwords; ++i)
            text += "#<b>w" + QByteArray::number(i) + "</b> x\r\n";
        dir.write(folder + u"/txt/WH-main_01.txt"_qs, text);
    }
    QString checkLines(const QString& folder, int headwords) const {
        return u"dictionary: %1\nheadwords: %2\n"_qs
            .arg(QDir(dir.path(folder)).absoluteFilePath(dictionaryTextPath({})))
            .arg(headwords);
    }

    TempDir dir;
    const QString home = dir.path(u"home"_qs);
    const QString dataDirs = dir.path(u"local"_qs) + u':' + dir.path(u"system"_qs);
};

} // namespace

TEST_F(DesktopStartTest, TheViewerOpensTheFirstXdgDataFolderThatHoldsADictionary) {
    QDir().mkpath(dir.path(u"work"_qs));
    dictionary(u"system/wordhoard"_qs, 3);
    ViewerRun run = runViewer({u"--desktop"_qs, u"--check"_qs}, dir.path(u"work"_qs), home, dataDirs);
    EXPECT_EQ(run.status, 0) << run.errors.join(u'\n').toStdString();
    EXPECT_TRUE(run.out.startsWith(checkLines(u"system/wordhoard"_qs, 3))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"\ndocumentation: "_qs));

    dictionary(u"home/wordhoard"_qs, 2);
    run = runViewer({u"--check"_qs, u"--desktop"_qs}, dir.path(u"work"_qs), home, dataDirs);
    EXPECT_TRUE(run.out.startsWith(checkLines(u"home/wordhoard"_qs, 2))) << run.out.toStdString();

    // A folder on the command line wins; from a terminal the working directory is read as before.
    dictionary(u"work"_qs, 4);
    dictionary(u"given"_qs, 5);
    run = runViewer({u"--desktop"_qs, u"--check"_qs, dir.path(u"given"_qs)}, dir.path(u"work"_qs), home,
                    dataDirs);
    EXPECT_TRUE(run.out.startsWith(checkLines(u"given"_qs, 5))) << run.out.toStdString();
    run = runViewer({u"--check"_qs}, dir.path(u"work"_qs), home, dataDirs);
    EXPECT_TRUE(run.out.startsWith(checkLines(u"work"_qs, 4))) << run.out.toStdString();
}

TEST_F(DesktopStartTest, WithNoDictionaryAnywhereTheOneErrorNamesEveryPlaceTried) {
    dictionary(u"work"_qs, 4); // the working directory is not one of the places
    const ViewerRun run = runViewer({u"--desktop"_qs, u"--check"_qs}, dir.path(u"work"_qs), home, dataDirs);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors,
              QStringList{u"wordhoard: No dictionary found: none of these folders holds txt/WH-main_01.txt: "
                          "%1, %2, %3"_qs.arg(dir.path(u"home/wordhoard"_qs), dir.path(u"local/wordhoard"_qs),
                                              dir.path(u"system/wordhoard"_qs))});
    EXPECT_TRUE(run.out.startsWith(checkLines(u"home/wordhoard"_qs, 0))) << run.out.toStdString();
}

// From a terminal, the text that can't be opened keeps its own message.
TEST_F(DesktopStartTest, AMissingTextOutsideADesktopStartKeepsItsOwnMessage) {
    QDir().mkpath(dir.path(u"work"_qs));
    const ViewerRun run = runViewer({u"--check"_qs}, dir.path(u"work"_qs), home, dataDirs);
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.errors.size(), 1);
    EXPECT_TRUE(
        run.errors[0].startsWith(u"wordhoard: Cannot open the dictionary text \"txt/WH-main_01.txt\": "_qs))
        << run.errors[0].toStdString();
}
