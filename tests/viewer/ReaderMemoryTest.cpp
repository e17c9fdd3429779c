// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What the viewer remembers between runs, through real restarts of the whole start-up in a
// settings folder of the test's own: the window's settings, the recent folders and the entry last
// shown, favourites and history (also in a text that changed meanwhile), a damaged settings file,
// the German window, the accessible names and the dark theme's contrast.
#include "aids/Language.h"
#include "aids/ReaderMemory.h"
#include "aids/ReadingAids.h"
#include "aids/Theme.h"
#include "display/Contrast.h"
#include "display/PageFiles.h"
#include "reading/EntryPlace.h"
#include "settings/SettingsStore.h"
#include "startup/DesktopStart.h"
#include "startup/Startup.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/MainForm.h"
#include "window/PageImageView.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

#include <memory>

using namespace wordhoard;
using wordhoard::testing::readTestData;
using wordhoard::testing::TempDir;

namespace {

// Six entries on three pages.
const QByteArray kDictionary = "@wh_b0001\r\n"
                               "#<b>ac</b> oak\r\n"
                               "#<b>bana</b> slayer, <i>cf.</i> ac\r\n"
                               "@wh_b0002\r\n"
                               "#<b>cyning</b> king\r\n"
                               "#<b>d&aelig;d</b> deed\r\n"
                               "@wh_b0003\r\n"
                               "#<b>eorl</b> nobleman, ac\r\n"
                               "#<b>fyrd</b> army";

// A settings folder of the test's own and a dictionary folder; start() and restart() run the
// whole start-up as main() does, restart() after closing the window as a reader would.
class ReaderMemoryTest : public ::testing::Test {
protected:
    ReaderMemoryTest() : m_previousConfig(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", config.path(u"."_qs).toLocal8Bit());
        dir.write(u"oe/txt/WH-main_01.txt"_qs, kDictionary);
        dir.write(u"oe/img/wh_b0002.jpg"_qs, readTestData(u"jpeg/libjpeg-turbo/testorig.jpg"_qs));
    }
    ~ReaderMemoryTest() override {
        startup.reset();
        installLanguage({});
        applyTheme(ViewerSettings::Theme::System);
        qputenv("XDG_CONFIG_HOME", m_previousConfig);
    }
    void start(const QString& folder = {}) {
        StartupPreload preload;
        preload.folder = folder.isEmpty() ? dir.path(u"oe"_qs) : folder;
        startup = std::make_unique<Startup>(std::move(preload));
        form().setErrorReporter([this](const QString& message) { errors << message; });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        // The favourites and history are read once the window has painted.
        ASSERT_TRUE(QTest::qWaitFor([&] { return memory().readingRestored(); }, 10000));
    }
    void restart(const QString& folder = {}) {
        form().close();
        startup.reset(); // the store writes what is pending before it goes
        start(folder);
    }
    TMainForm& form() { return startup->mainForm(); }
    ReaderMemory& memory() { return form().readerMemory(); }
    ReadingAids& aids() { return form().readingAids(); }
    QAction* action(const char* name) { return form().findChild<QAction*>(QLatin1String(name)); }
    void clickLine(int row) {
        ListBox* list = form().wordList();
        form().listTabs()->setCurrentIndex(0);
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
    QString paneText() const { return startup->mainForm().entryPane()->toPlainText(); }
    QString settingsFile() const { return config.path(u"wordhoard/wordhoard.conf"_qs); }

    TempDir config;
    TempDir dir;
    std::unique_ptr<Startup> startup;
    QStringList errors;

private:
    QByteArray m_previousConfig;
};

} // namespace

TEST_F(ReaderMemoryTest, TheWindowComesBackAsTheReaderLeftItAndResetReturnsToTheFirstStart) {
    start();
    // A first start: the window as designed, nothing of it stored yet.
    EXPECT_FALSE(QFile::exists(settingsFile()));
    const QSize designed = form().size();
    const QFont designFont = form().entryPane()->font();
    EXPECT_EQ(designFont, TMainForm::designFont());
    EXPECT_EQ(form().pagePicture()->size(), QSize(634, 373));
    EXPECT_TRUE(form().pagePicture()->stretch());
    EXPECT_TRUE(paneText().isEmpty());
    const QPalette systemPalette = QApplication::palette();

    QFont chosen(u"DejaVu Serif"_qs);
    chosen.setPointSize(13);
    form().applyFont(chosen);
    aids().zoomStepBy(1);
    aids().zoomStepBy(1); // 125%
    form().setLooseMatching(true);
    form().resize(designed + QSize(120, 80));
    clickLine(3); // "dæd", page wh_b0002
    form().entryTabs()->setCurrentIndex(1);
    aids().fitPageWidth();
    memory().setTheme(ViewerSettings::Theme::Dark);
    ASSERT_EQ(paneText(), u"d\u00E6d deed\n@wh_b0003\n"_qs);

    restart();
    EXPECT_EQ(form().size(), designed + QSize(120, 80));
    EXPECT_EQ(form().fontChoice(), chosen);
    EXPECT_EQ(aids().zoom(), 125);
    EXPECT_EQ(form().entryPane()->font().pointSizeF(), chosen.pointSizeF() * 1.25);
    EXPECT_TRUE(form().looseMatching());
    EXPECT_EQ(aids().pageFit(), ReadingAids::PageFit::Width);
    EXPECT_EQ(memory().theme(), ViewerSettings::Theme::Dark);
    EXPECT_EQ(QApplication::palette().color(QPalette::Base), themePalette(ViewerSettings::Theme::Dark).color(QPalette::Base));
    // The entry last shown, its line selected, and the Image tab in front with its page, fitted.
    EXPECT_EQ(paneText(), u"d\u00E6d deed\n@wh_b0003\n"_qs);
    EXPECT_EQ(form().wordList()->selectedRow(), 3);
    EXPECT_EQ(form().entryTabs()->currentIndex(), 1);
    ASSERT_NE(form().pagePicture()->picture(), nullptr);
    EXPECT_EQ(form().unit().LastImage, QByteArray("wh_b0002"));
    EXPECT_NEAR(form().pagePicture()->width() * 149.0 / 227, form().pagePicture()->height(), 1.0); // its shape kept

    memory().resetSettings();
    EXPECT_EQ(form().size(), designed);
    EXPECT_EQ(form().entryPane()->font(), designFont);
    EXPECT_EQ(aids().zoom(), 100);
    EXPECT_FALSE(form().looseMatching());
    EXPECT_EQ(aids().pageFit(), ReadingAids::PageFit::Click);
    EXPECT_EQ(form().pagePicture()->size(), QSize(634, 373));
    EXPECT_EQ(form().entryTabs()->currentIndex(), 0);
    EXPECT_EQ(QApplication::palette(), systemPalette);
    EXPECT_TRUE(memory().recentFolders().isEmpty());
    // And so is the next start.
    restart();
    EXPECT_TRUE(paneText().isEmpty());
    EXPECT_EQ(form().size(), designed);
    EXPECT_FALSE(form().fontChoice().has_value());
    EXPECT_EQ(aids().zoom(), 100);
    EXPECT_EQ(memory().theme(), ViewerSettings::Theme::System);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(ReaderMemoryTest, FavouritesAndHistoryOutlastARestartAndFollowTheirEntriesInAChangedText) {
    start();
    clickLine(1); // bana
    ASSERT_TRUE(memory().toggleFavourite());
    clickLine(2); // cyning
    ASSERT_TRUE(memory().toggleFavourite());
    memory().setFavouriteNote(1, u"see also\nþeoden"_qs);
    clickLine(4); // eorl
    ASSERT_TRUE(memory().toggleFavourite());
    ASSERT_TRUE(memory().toggleFavourite()); // unmarked again
    clickLine(5); // fyrd
    aids().goBack();
    ASSERT_EQ(paneText(), u"eorl nobleman, ac\n"_qs);

    // Meanwhile the text changed: an entry came first, "cyning" went, the rest moved.
    dir.write(u"oe/txt/WH-main_01.txt"_qs, QByteArray(kDictionary).replace("#<b>cyning</b> king\r\n", "")
                                               .replace("#<b>ac</b>", "#<b>a</b> ever\r\n#<b>ac</b>"));
    restart();
    const auto& favourites = memory().favourites().list();
    ASSERT_EQ(favourites.size(), 2u);
    EXPECT_EQ(favourites[0].place.headword, QByteArray("bana"));
    EXPECT_TRUE(favourites[0].found);
    EXPECT_EQ(favourites[1].place.headword, QByteArray("cyning"));
    EXPECT_FALSE(favourites[1].found); // kept, greyed
    EXPECT_EQ(favourites[1].note, u"see also þeoden"_qs);
    EXPECT_EQ(favourites[1].page, QByteArray("wh_b0002"));
    // The history's steps where their entries are now, the gone one dropped, the cursor kept.
    EXPECT_EQ(paneText(), u"eorl nobleman, ac\n"_qs);
    const auto headwordOf = [&](const Visit& v) { return rawHeadword(form().dictionary().text(), v.start).toByteArray(); };
    QList<QByteArray> steps;
    for (const Visit& v : aids().history().visits()) steps << headwordOf(v);
    EXPECT_EQ(steps, (QList<QByteArray>{"bana", "eorl", "fyrd"}));
    EXPECT_TRUE(aids().goForward());
    EXPECT_EQ(paneText(), u"fyrd army"_qs);
    EXPECT_TRUE(aids().goBack());
    EXPECT_TRUE(aids().goBack());
    EXPECT_EQ(paneText(), u"bana slayer, cf. ac\n@wh_b0002\n"_qs);

    // The windows list them; a click shows a favourite's entry; a gone one shows nothing.
    memory().showFavouritesWindow();
    auto* tree = memory().favouritesWindow()->findChild<QTreeWidget*>();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    const QList<QTreeWidgetItem*> gone = tree->findItems(u"cyning"_qs, Qt::MatchExactly);
    const QList<QTreeWidgetItem*> kept = tree->findItems(u"bana"_qs, Qt::MatchExactly);
    ASSERT_EQ(gone.size(), 1);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_NE(gone[0]->foreground(0), kept[0]->foreground(0)); // greyed
    EXPECT_EQ(gone[0]->text(3), u"see also þeoden"_qs);
    EXPECT_FALSE(memory().showFavourite(1));
    clickLine(0);
    EXPECT_TRUE(memory().showFavourite(0));
    EXPECT_EQ(paneText(), u"bana slayer, cf. ac\n@wh_b0002\n"_qs);
    memory().showHistoryWindow();
    auto* history = memory().historyWindow()->findChild<QTreeWidget*>();
    EXPECT_EQ(history->topLevelItemCount(), static_cast<int>(aids().history().size()));
    EXPECT_EQ(history->topLevelItem(0)->text(0), u"bana"_qs); // the latest first

    // Export, in both forms.
    const QString exported = dir.path(u"favourites.csv"_qs);
    ASSERT_TRUE(memory().exportFavourites(exported, true));
    QFile csv(exported);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().startsWith("Headword,Page,Added,Note\r\nbana,wh_b0001,"));

    // Go > Clear History lasts too: the next start's history is the entry it shows. The favourites stay.
    action("GoClearHistory")->trigger();
    EXPECT_EQ(aids().history().size(), 0u);
    restart();
    EXPECT_EQ(aids().history().size(), 1u);
    EXPECT_EQ(paneText(), u"bana slayer, cf. ac\n@wh_b0002\n"_qs);
    EXPECT_EQ(memory().favourites().size(), 2u);
    // The dictionary folder was never written.
    EXPECT_EQ(QDir(dir.path(u"oe"_qs)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{u"img"_qs, u"txt"_qs}));
    EXPECT_EQ(QDir(dir.path(u"oe/txt"_qs)).entryList(QDir::Files), QStringList{u"WH-main_01.txt"_qs});
}

TEST_F(ReaderMemoryTest, RecentFoldersListTheLatestFirstAndGreyThoseThatVanished) {
    dir.write(u"b/txt/WH-main_01.txt"_qs, "#<b>bee</b> x");
    dir.write(u"c/txt/WH-main_01.txt"_qs, "#<b>sea</b> y#<b>see</b> z");
    start();
    ASSERT_TRUE(aids().openDictionaryFolder(dir.path(u"b"_qs)));
    ASSERT_TRUE(aids().openDictionaryFolder(dir.path(u"c"_qs)));
    ASSERT_EQ(form().wordListModel->rowCount(), 2);
    clickLine(1); // "see", the entry last shown in c
    QFile::remove(dir.path(u"b/txt/WH-main_01.txt"_qs));

    QMenu* recent = memory().recentMenu();
    emit recent->aboutToShow();
    QStringList items;
    for (const QAction* item : recent->actions()) items << (item->isEnabled() ? u"+"_qs : u"-"_qs) + item->text();
    EXPECT_EQ(items, (QStringList{u"+&1 "_qs + QDir::toNativeSeparators(dir.path(u"c"_qs)),
                                  u"-&2 "_qs + QDir::toNativeSeparators(dir.path(u"b"_qs)),
                                  u"+&3 "_qs + QDir::toNativeSeparators(dir.path(u"oe"_qs))}));
    recent->actions()[2]->trigger();
    EXPECT_EQ(form().wordListModel->rowCount(), 6);

    // Back in c at the next start: its entry last shown comes back.
    restart(dir.path(u"c"_qs));
    EXPECT_EQ(paneText(), u"see z"_qs);
    EXPECT_EQ(memory().recentFolders().first(), dir.path(u"c"_qs));
    // A desktop start opens the folder opened last, while it holds a dictionary.
    form().close();
    const ViewerSettings saved = loadSettings(startup->settingsStore());
    EXPECT_EQ(desktopDictionaryPlaces(saved).first(), dir.path(u"c"_qs));
    QFile::remove(dir.path(u"c/txt/WH-main_01.txt"_qs));
    EXPECT_EQ(desktopDictionaryPlaces(saved), desktopDictionaryPlaces());
}

namespace {

struct ViewerRun {
    int status = -1;
    QString out;
    QStringList lines; // the viewer's own lines on stderr
};

// The viewer itself with --check, offscreen, with the settings folder given.
ViewerRun checkViewer(const QString& folder, const QString& config) {
    QProcess viewer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    environment.insert(u"XDG_CONFIG_HOME"_qs, config);
    viewer.setProcessEnvironment(environment);
    viewer.start(QStringLiteral(WORDHOARD_VIEWER), {u"--check"_qs, folder});
    ViewerRun run;
    if (!viewer.waitForFinished(120000) || viewer.exitStatus() != QProcess::NormalExit) return run;
    run.status = viewer.exitCode();
    run.out = QString::fromLocal8Bit(viewer.readAllStandardOutput());
    for (const QString& line : QString::fromLocal8Bit(viewer.readAllStandardError()).split(u'\n')) {
        if (line.startsWith(u"wordhoard: "_qs)) run.lines << line;
    }
    return run;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(ReaderMemoryTest, ADamagedOrUnreadableSettingsFileIsLeftUnreadWithOneLineAndThenReplaced) {
    QByteArray garbage;
    for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919 + i / 13) % 256);
    config.write(u"wordhoard/wordhoard.conf"_qs, garbage);
    config.write(u"wordhoard/reading.conf"_qs, "[General]\nformat=1\n[dictionary-\n\\x==\0garbage");
    ViewerRun run = checkViewer(dir.path(u"oe"_qs), config.path(u"."_qs));
    EXPECT_EQ(run.status, 0) << run.lines.join(u'\n').toStdString();
    ASSERT_EQ(run.lines.size(), 1) << run.lines.join(u'\n').toStdString();
    EXPECT_TRUE(run.lines[0].contains(u"wordhoard.conf is damaged"_qs)) << run.lines[0].toStdString();
    EXPECT_TRUE(run.out.endsWith(u"\nsettings: %1\n"_qs.arg(settingsFile()))) << run.out.toStdString();
    EXPECT_EQ(fileBytes(settingsFile()), garbage); // a check writes nothing

    // A folder where the file should be: it can't be read.
    QFile::remove(settingsFile());
    QDir().mkpath(settingsFile());
    run = checkViewer(dir.path(u"oe"_qs), config.path(u"."_qs));
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 1) << run.lines.join(u'\n').toStdString();
    EXPECT_TRUE(run.lines[0].contains(u"cannot read"_qs)) << run.lines[0].toStdString();
    QDir().rmdir(settingsFile());

    // In the window: a first start; what the reader does then replaces the damaged files whole.
    config.write(u"wordhoard/wordhoard.conf"_qs, garbage);
    start();
    EXPECT_EQ(form().size(), QSize(847, 522 + form().menuBar()->sizeHint().height()));
    EXPECT_EQ(aids().zoom(), 100);
    clickLine(2);
    ASSERT_TRUE(memory().toggleFavourite());
    aids().zoomStepBy(1);
    restart();
    const SettingsStore fresh(config.path(u"wordhoard"_qs));
    EXPECT_TRUE(fresh.loadSettings().problem.isEmpty());
    EXPECT_TRUE(fresh.loadReading(dir.path(u"oe"_qs)).problem.isEmpty());
    EXPECT_EQ(aids().zoom(), 110);
    ASSERT_EQ(memory().favourites().size(), 1u);
    EXPECT_EQ(memory().favourites().list()[0].place.headword, QByteArray("cyning"));
}

TEST_F(ReaderMemoryTest, TheWindowStaysInItsDesignedEnglishUntilGermanIsChosen) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto menus = [&] {
        QStringList titles;
        for (const QAction* menu : form().menuBar()->actions()) titles << menu->text();
        return titles;
    };
    const auto hitCount = [&](const QString& term) {
        form().searchField()->setText(term);
        QTest::keyClick(form().searchField(), Qt::Key_Return);
        return form().hitCountLabel->text();
    };
    start();
    EXPECT_EQ(menus(), (QStringList{u"&File"_qs, u"&View"_qs, u"&Go"_qs, u"&Tools"_qs, u"&Help"_qs}));
    EXPECT_EQ(form().TntButton1->text(), u"Fulltext"_qs);
    EXPECT_EQ(form().listTabs()->tabText(0), u"Wordlist"_qs);
    EXPECT_EQ(hitCount(u"ac"_qs), u"3 hits"_qs);
    EXPECT_EQ(hitCount(u"oak"_qs), u"1 hit"_qs);

    memory().setLanguage(u"de"_qs);
    EXPECT_EQ(menus()[0], u"&File"_qs); // from the next start
    restart();
    EXPECT_EQ(menus(), (QStringList{u"&Datei"_qs, u"&Ansicht"_qs, u"&Gehe zu"_qs, u"E&xtras"_qs, u"&Hilfe"_qs}));
    EXPECT_EQ(form().TntButton1->text(), u"Volltext"_qs);
    EXPECT_EQ(form().listTabs()->tabText(0), u"Wortliste"_qs);
    EXPECT_EQ(hitCount(u"ac"_qs), u"3 Treffer"_qs);
    EXPECT_EQ(hitCount(u"oak"_qs), u"1 Treffer"_qs);
    EXPECT_EQ(hitCount(u"zzz"_qs), u"Keine Treffer für \u201Ezzz\u201C"_qs);
    EXPECT_EQ(action("GoFavourite")->text(), u"&Favorit setzen oder entfernen"_qs);

    memory().setLanguage({});
    restart();
    EXPECT_EQ(menus()[0], u"&File"_qs);
    QLocale::setDefault(before);
}

TEST_F(ReaderMemoryTest, EveryFocusableControlHasAnAccessibleNameAndThePictureNamesItsPage) {
    start();
    form().searchField()->setText(u"ac"_qs); // looked up: "ac", on page wh_b0001, which has no scan
    QTest::keyClick(form().searchField(), Qt::Key_Return);
    form().entryTabs()->setCurrentIndex(1);
    memory().showFavouritesWindow();
    memory().showHistoryWindow();
    aids().showShortcutList();
    for (QWidget* window : std::initializer_list<QWidget*>{&form(), memory().favouritesWindow(),
                                                           memory().historyWindow(), aids().shortcutDialog()}) {
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets << window;
        for (QWidget* widget : widgets) {
            if (widget->focusPolicy() == Qt::NoFocus) continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            ASSERT_NE(accessible, nullptr);
            EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
                << widget->metaObject()->className() << " " << widget->objectName().toStdString() << " in "
                << window->objectName().toStdString();
        }
    }
    const auto name = [](QWidget* widget, QAccessible::Text which = QAccessible::Name) {
        return QAccessible::queryAccessibleInterface(widget)->text(which);
    };
    EXPECT_EQ(name(form().pagePicture()), u"no scan for page wh_b0001"_qs);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form().pagePicture())->role(), QAccessible::Graphic);
    clickLine(2); // cyning, on page wh_b0002
    EXPECT_EQ(name(form().pagePicture()), u"Scanned page wh_b0002"_qs);
    clickLine(0); // its scan missing: the picture stays, and so does its name
    EXPECT_EQ(name(form().pagePicture()), u"Scanned page wh_b0002"_qs);
    EXPECT_EQ(name(form().TntButton2), u"Letter thorn"_qs);
    EXPECT_EQ(name(form().TntButton6, QAccessible::Description), u"Adds \u021C to the search field"_qs);
    EXPECT_EQ(name(form().wordList()), u"Word list"_qs);
    EXPECT_FALSE(name(form().hitList(), QAccessible::Description).isEmpty());
    // A hit's row says all that its two lines show.
    const QString row = form().hitListModel->index(1, 0).data(Qt::AccessibleTextRole).toString();
    EXPECT_EQ(row, u"bana, page wh_b0001: bana slayer, cf. ac @wh_b0002"_qs);
}

TEST_F(ReaderMemoryTest, TheDarkThemeKeepsEveryTextReadableAndLightAndSystemTheDesignedColours) {
    const auto ratio = [](const QColor& a, const QColor& b) {
        return contrastRatio(a.rgb() & 0xFFFFFFu, b.rgb() & 0xFFFFFFu);
    };
    const QPalette dark = themePalette(ViewerSettings::Theme::Dark);
    const QColor base = dark.color(QPalette::Base);
    // Entry text (bold and italic are the same colour), marks, links, snippets and page names.
    EXPECT_GE(ratio(dark.color(QPalette::Text), base), 4.5);
    EXPECT_GE(ratio(markColour(dark), base), 4.5);
    EXPECT_GE(ratio(dark.color(QPalette::Link), base), 4.5);
    EXPECT_GE(ratio(dark.color(QPalette::LinkVisited), base), 4.5);
    EXPECT_GE(ratio(dark.color(QPalette::PlaceholderText), base), 4.5);
    EXPECT_GE(ratio(dark.color(QPalette::HighlightedText), dark.color(QPalette::Highlight)), 4.5);
    EXPECT_GE(ratio(dark.color(QPalette::WindowText), dark.color(QPalette::Window)), 4.5);
    EXPECT_GE(ratio(dark.color(QPalette::ButtonText), dark.color(QPalette::Button)), 4.5);
    EXPECT_GE(ratio(dark.color(QPalette::ToolTipText), dark.color(QPalette::ToolTipBase)), 4.5);
    // The picture's notice ("no scan for page ...") is drawn in the disabled window text.
    EXPECT_GE(ratio(dark.color(QPalette::Disabled, QPalette::WindowText), dark.color(QPalette::Window)), 4.5);
    EXPECT_NE(markColour(dark), QColor(240, 0, 0));
    EXPECT_EQ(markColour(themePalette(ViewerSettings::Theme::Light)), QColor(240, 0, 0));
    EXPECT_EQ(markColour(QApplication::palette()), QColor(240, 0, 0));

    // In the window: the marks of the entry shown take the theme's red at once, and System
    // brings the platform's palette back.
    start();
    const QPalette system = QApplication::palette();
    form().searchField()->setText(u"ac"_qs);
    QTest::keyClick(form().searchField(), Qt::Key_Return);
    form().hitList()->selectRow(0);
    form().TntListBox2Click();
    const auto markColours = [&] {
        QList<QColor> colours;
        const QTextDocument* document = form().entryPane()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().fontUnderline()) colours << it.fragment().charFormat().foreground().color();
            }
        }
        return colours;
    };
    EXPECT_EQ(markColours(), QList<QColor>{QColor(240, 0, 0)});
    memory().setTheme(ViewerSettings::Theme::Dark);
    EXPECT_TRUE(QTest::qWaitFor([&] { return markColours() == QList<QColor>{markColour(dark)}; }));
    EXPECT_EQ(form().entryPane()->palette().color(QPalette::Base), base);
    memory().setTheme(ViewerSettings::Theme::System);
    EXPECT_EQ(QApplication::palette(), system);
    EXPECT_TRUE(QTest::qWaitFor([&] { return markColours() == QList<QColor>{QColor(240, 0, 0)}; }));
}

// No two actions of the window share a key, and the keys of the favourites and the history
// are bound by Qt to nothing on this platform (Ctrl+D, say, deletes in a line edit).
TEST_F(ReaderMemoryTest, EveryKeyIsTheWindowsOnlyAndTheNewOnesNoStandardKey) {
    start();
    // A key bound for one widget only (the form list's Esc) may also be bound for another one.
    struct Owner {
        QString name;
        const QObject* scope; // null: the whole window
    };
    QMultiHash<QKeySequence, Owner> owners;
    for (const QAction* item : form().findChildren<QAction*>()) {
        const bool narrow = item->shortcutContext() == Qt::WidgetShortcut ||
                            item->shortcutContext() == Qt::WidgetWithChildrenShortcut;
        const QObject* scope = narrow && !item->associatedObjects().isEmpty() ? item->associatedObjects().first() : nullptr;
        for (const QKeySequence& key : item->shortcuts()) {
            for (const Owner& other : owners.values(key)) {
                EXPECT_TRUE(scope && other.scope && scope != other.scope)
                    << key.toString().toStdString() << ": " << other.name.toStdString() << " and "
                    << item->objectName().toStdString();
            }
            owners.insert(key, {item->objectName(), scope});
        }
    }
    QList<QKeySequence> standard;
    for (int k = QKeySequence::UnknownKey + 1; k <= QKeySequence::Cancel; ++k) {
        standard << QKeySequence::keyBindings(static_cast<QKeySequence::StandardKey>(k));
    }
    for (const char* name : {"GoFavourite", "GoFavourites", "GoHistory"}) {
        const QAction* item = action(name);
        ASSERT_NE(item, nullptr) << name;
        ASSERT_FALSE(item->shortcut().isEmpty()) << name;
        EXPECT_FALSE(standard.contains(item->shortcut())) << name << " " << item->shortcut().toString().toStdString();
    }
}

// Settings that name a last entry but no window size (written by hand, or by another program):
// the entry is shown with its line in sight, the list not scrolled sideways off its headwords.
TEST_F(ReaderMemoryTest, TheLastEntryShowsInSightWithoutASavedWindowSize) {
    ViewerSettings settings;
    settings.recent.push_back({QDir::cleanPath(dir.path(u"oe"_qs)), EntryPlace{150, "fyrd"}}); // found by headword
    SettingsStore(config.path(u"wordhoard"_qs)).saveSettings(settings);
    start();
    ASSERT_EQ(paneText(), u"fyrd army"_qs);
    ListBox* list = form().wordList();
    EXPECT_EQ(list->horizontalScrollBar()->value(), 0);
    const QRect line = list->visualRect(list->model()->index(5, 0));
    EXPECT_TRUE(list->viewport()->rect().contains(line.topLeft())) << line.x() << "," << line.y();
}
