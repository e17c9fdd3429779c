// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The real start-up, with the dictionary read on a second thread as main() reads it.
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/MainForm.h"
#include "window/PageImageView.h"
#include "QtPrinters.h"
#include "dialogs/SplashForm.h"
#include "startup/Startup.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QProxyStyle>
#include <QToolButton>
#include <QTest>
#include <QTextEdit>

using namespace wordhoard;
using wordhoard::testing::readTestData;
using wordhoard::testing::TempDir;

namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest() : m_previous(QDir::currentPath()) { QDir::setCurrent(dir.path(u"."_qs)); }
    ~StartupTest() override { QDir::setCurrent(m_previous); }

    TempDir dir;

private:
    QString m_previous;
};

} // namespace

TEST_F(StartupTest, ThePreloadedTextFillsTheWordListAsReadingItThereWould) {
    dir.write(u"txt/WH-main_01.txt"_qs, "@wh_b0001\r\n#<b>&aelig;t</b> at\r\n#<b>b&amp;n</b> bone\r\n#<b>cyning</b> king");
    for (const bool preload : {true, false}) {
        Startup startup(preload ? StartupPreload::start() : StartupPreload{});
        TMainForm& form = startup.mainForm();
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(startup.splash().isVisible());
        EXPECT_TRUE(form.startupError().isEmpty());
        EXPECT_FALSE(form.unit().pendingText.valid());
        ASSERT_EQ(form.wordListModel->rowCount(), 3);
        EXPECT_EQ(form.wordListModel->line(0), u"\u00E6t"_qs);
        EXPECT_EQ(form.wordListModel->line(2), u"cyning"_qs);
        form.TntListBox1->selectRow(2);
        form.TntListBox1Click();
        EXPECT_EQ(form.TntRichEdit1->toPlainText(), u"cyning king"_qs);
    }
}

// The menu bar's overflow arrow is read only when drawn, and is then the style's own.
TEST_F(StartupTest, TheMenuBarArrowIsTheStylesOwnWhenDrawn) {
    Startup startup;
    auto* arrow = startup.mainForm().menuBar()->findChild<QToolButton*>(u"qt_menubar_ext_button"_qs);
    ASSERT_NE(arrow, nullptr);
    const QStyle* base = qobject_cast<QProxyStyle*>(QApplication::style())->baseStyle();
    const QImage expected = base->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16, 16).toImage();
    ASSERT_FALSE(expected.isNull());
    EXPECT_FALSE(arrow->icon().isNull());
    EXPECT_EQ(arrow->icon().pixmap(16, 16).toImage(), expected);
    // Any other icon comes from the style unchanged.
    EXPECT_EQ(QApplication::style()->standardIcon(QStyle::SP_DialogOkButton).pixmap(16, 16).toImage(),
              base->standardIcon(QStyle::SP_DialogOkButton).pixmap(16, 16).toImage());
}

TEST_F(StartupTest, AMissingDictionaryIsReportedOnceTheWindowShows) {
    Startup startup(StartupPreload::start());
    QStringList errors;
    startup.mainForm().setErrorReporter([&](const QString& message) { errors << message; });
    QTRY_COMPARE(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(u"Cannot open the dictionary text \"txt/WH-main_01.txt\": "_qs)) << errors[0].toStdString();
    EXPECT_EQ(startup.mainForm().wordListModel->rowCount(), 0);
}

TEST_F(StartupTest, TheFolderNamedOnTheCommandLineIsReadInsteadOfTheWorkingDirectory) {
    dir.write(u"txt/WH-main_01.txt"_qs, "#<b>here</b> x"); // must not be read
    dir.write(u"oe/txt/WH-main_01.txt"_qs, "@wh_b0001#<b>there</b> y");
    dir.write(u"oe/img/wh_b0001.jpg"_qs, readTestData(u"jpeg/libjpeg-turbo/testorig.jpg"_qs));
    for (const bool preload : {true, false}) {
        StartupPreload given = preload ? StartupPreload::start(dir.path(u"oe"_qs)) : StartupPreload{};
        given.folder = dir.path(u"oe"_qs);
        Startup startup(std::move(given));
        TMainForm& form = startup.mainForm();
        EXPECT_TRUE(form.startupError().isEmpty());
        ASSERT_EQ(form.wordListModel->rowCount(), 1);
        EXPECT_EQ(form.wordListModel->line(0), u"there"_qs);
        form.TntListBox1->selectRow(0);
        form.TntListBox1Click();
        EXPECT_EQ(form.TntRichEdit1->toPlainText(), u"there y"_qs);
        ASSERT_NE(form.Image1->picture(), nullptr); // the page picture comes from the folder's img/
        EXPECT_EQ(form.Image1->picture()->size(), QSize(227, 149));
    }
}

TEST_F(StartupTest, AFolderWithoutTheTextIsReportedWithItsPath) {
    Startup startup(StartupPreload::start(dir.path(u"none"_qs)));
    QStringList errors;
    startup.mainForm().setErrorReporter([&](const QString& message) { errors << message; });
    QTRY_COMPARE(errors.size(), 1);
    const QString expected = u"Cannot open the dictionary text \"%1\": "_qs.arg(dir.path(u"none/txt/WH-main_01.txt"_qs));
    EXPECT_TRUE(errors[0].startsWith(expected)) << errors[0].toStdString();
    EXPECT_EQ(startup.mainForm().wordListModel->rowCount(), 0);
}
