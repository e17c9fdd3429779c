// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's settings: what is saved and put back, File > Recent Dictionaries, View > Theme,
// View > Language and View > Reset Settings.
#include "aids/ReaderMemory.h"

#include "aids/Language.h"
#include "aids/ReadingAids.h"
#include "aids/Theme.h"
#include "display/PageFiles.h"
#include "settings/SettingsStore.h"
#include "window/MainForm.h"
#include "window/PageImageView.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>

#include <cmath>

namespace wordhoard {

namespace {

// The size the page picture has on a first start.
constexpr QSize kDesignedPictureSize(634, 373);

} // namespace

ViewerSettings ReaderMemory::settings() const {
    ViewerSettings s;
    s.windowGeometry = m_form.saveGeometry();
    s.windowState = m_form.saveState();
    s.listTab = m_form.listTabs()->currentIndex();
    s.entryTab = m_form.entryTabs()->currentIndex();
    if (const std::optional<QFont> font = m_form.fontChoice()) s.font = font->toString();
    const ReadingAids& aids = m_form.readingAids();
    s.zoom = aids.zoom();
    s.looseMatching = m_form.looseMatching();
    switch (aids.pageFit()) {
    case ReadingAids::PageFit::Click:
        s.pageFit = m_form.pagePicture()->stretch() ? ViewerSettings::PageFit::Stretched : ViewerSettings::PageFit::Natural;
        break;
    case ReadingAids::PageFit::Width:
        s.pageFit = ViewerSettings::PageFit::Width;
        break;
    case ReadingAids::PageFit::Scale:
        s.pageFit = ViewerSettings::PageFit::Scale;
        s.pageScale = static_cast<int>(std::lround(aids.pageScale() * 100));
        break;
    }
    s.theme = m_theme;
    s.language = m_language;
    s.recent = m_recent;
    return s;
}

void ReaderMemory::applySettings(const ViewerSettings& s) {
    // Only what differs from the window as it stands: at a first start that is nothing, and each
    // font set anew lays the word list's 60,000 lines out again before the window first shows.
    std::optional<QFont> font;
    if (QFont chosen; !s.font.isEmpty() && chosen.fromString(s.font)) font = chosen;
    if (font != m_form.fontChoice()) m_form.applyFont(font);
    ReadingAids& aids = m_form.readingAids();
    if (s.zoom != aids.zoom()) aids.setZoom(s.zoom); // after the font, which is its base
    if (s.looseMatching != m_form.looseMatching()) m_form.setLooseMatching(s.looseMatching);
    PageImageView* picture = m_form.pagePicture();
    switch (s.pageFit) {
    case ViewerSettings::PageFit::Stretched:
    case ViewerSettings::PageFit::Natural: {
        const bool stretched = s.pageFit == ViewerSettings::PageFit::Stretched;
        const bool clickFit = aids.pageFit() == ReadingAids::PageFit::Click;
        aids.setPageFit(ReadingAids::PageFit::Click);
        if (!clickFit || picture->stretch() != stretched) {
            picture->setStretch(stretched);
            picture->setAutoSize(!stretched);
            if (stretched) picture->resize(kDesignedPictureSize);
        }
        break;
    }
    case ViewerSettings::PageFit::Width:
        aids.setPageFit(ReadingAids::PageFit::Width);
        break;
    case ViewerSettings::PageFit::Scale:
        aids.setPageFit(ReadingAids::PageFit::Scale, s.pageScale / 100.0);
        break;
    }
    if (s.windowGeometry.isEmpty() || !m_form.restoreGeometry(s.windowGeometry)) {
        // Not shown by it: start-up shows the window once the splash is gone.
        m_form.setWindowState(m_form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
        m_form.resize(m_designedSize);
    }
    m_form.restoreState(s.windowState);
    m_form.listTabs()->setCurrentIndex(s.listTab);
    m_form.entryTabs()->setCurrentIndex(s.entryTab);
}

void ReaderMemory::resetSettings() {
    setTheme(ViewerSettings::Theme::System);
    m_language.clear();
    m_recent.clear();
    if (m_form.FontDialog1) {
        // Made again on next use, from the design font.
        m_form.FontDialog1->deleteLater();
        m_form.FontDialog1 = nullptr;
    }
    applySettings(ViewerSettings());
    if (m_store) m_store->clearSettings();
    // Nothing to write at the close unless the reader changes something again.
    m_saved = settings();
    m_settingsTimer->stop();
}

QStringList ReaderMemory::recentFolders() const {
    QStringList folders;
    for (const RecentDictionary& recent : m_recent) folders << recent.folder;
    return folders;
}

void ReaderMemory::setTheme(ViewerSettings::Theme theme) {
    if (theme == m_theme) return;
    m_theme = theme;
    applyTheme(theme);
    // The marks take the theme's red, once the new palette has reached the widgets.
    QTimer::singleShot(0, this, [this] {
        if (const std::optional<std::int32_t> shown = m_form.shownEntry()) m_form.guarded([&] { m_form.showEntry(*shown); });
    });
    scheduleSettingsSave();
}

void ReaderMemory::setLanguage(const QString& code) {
    if (code == m_language) return;
    m_language = code;
    scheduleSettingsSave();
}

void ReaderMemory::addSettingsMenus() {
    QMenu* file = menu("File1");
    m_recentMenu = new QMenu(tr("&Recent Dictionaries"), file);
    m_recentMenu->setObjectName(QStringLiteral("FileRecentDictionaries"));
    file->insertMenu(m_form.FileExit1, m_recentMenu);
    file->insertSeparator(m_form.FileExit1);
    // Made when opened: whether a folder still holds a dictionary is asked then, not at start-up.
    connect(m_recentMenu, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });

    QMenu* view = menu("View1");
    view->addSeparator();
    m_themeMenu = view->addMenu(tr("&Theme"));
    m_themeMenu->setObjectName(QStringLiteral("ViewTheme"));
    auto* themes = new QActionGroup(m_themeMenu);
    const struct {
        const char* text;
        const char* data;
        ViewerSettings::Theme theme;
    } themeItems[] = {{QT_TR_NOOP("&System"), "system", ViewerSettings::Theme::System},
                      {QT_TR_NOOP("&Light"), "light", ViewerSettings::Theme::Light},
                      {QT_TR_NOOP("&Dark"), "dark", ViewerSettings::Theme::Dark}};
    for (const auto& item : themeItems) {
        QAction* action = m_themeMenu->addAction(tr(item.text));
        action->setObjectName(QStringLiteral("ViewTheme") + QString::fromLatin1(item.data));
        action->setData(static_cast<int>(item.theme));
        action->setCheckable(true);
        action->setActionGroup(themes);
        connect(action, &QAction::triggered, this, [this, theme = item.theme] { m_form.guarded([&] { setTheme(theme); }); });
    }
    connect(m_themeMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : m_themeMenu->actions()) {
            action->setChecked(action->data().toInt() == static_cast<int>(m_theme));
        }
    });

    m_languageMenu = view->addMenu(tr("L&anguage"));
    m_languageMenu->setObjectName(QStringLiteral("ViewLanguage"));
    auto* languages = new QActionGroup(m_languageMenu);
    for (const WindowLanguage& language : windowLanguages()) {
        // Each language by its own name, whatever the window's language.
        QAction* action = m_languageMenu->addAction(language.name);
        action->setObjectName(QStringLiteral("ViewLanguage") + (language.code.isEmpty() ? u"en"_qs : language.code));
        action->setData(language.code);
        action->setCheckable(true);
        action->setActionGroup(languages);
        connect(action, &QAction::triggered, this, [this, code = language.code] { m_form.guarded([&] { chooseLanguage(code); }); });
    }
    connect(m_languageMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : m_languageMenu->actions()) action->setChecked(action->data().toString() == m_language);
    });

    QAction* reset = view->addAction(tr("&Reset Settings..."));
    reset->setObjectName(QStringLiteral("ViewResetSettings"));
    connect(reset, &QAction::triggered, this, [this] { m_form.guarded([&] { confirmReset(); }); });
}

void ReaderMemory::fillRecentMenu() {
    m_recentMenu->clear();
    if (m_recent.empty()) {
        m_recentMenu->addAction(tr("No dictionary opened yet"))->setEnabled(false);
        return;
    }
    int number = 0;
    for (const RecentDictionary& recent : m_recent) {
        ++number;
        const QString shown = QDir::toNativeSeparators(recent.folder);
        // "&1 /home/reader/oe": the digit picks it from the keyboard.
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(shown));
        const bool holdsText = QFileInfo(dictionaryTextPath(recent.folder)).isFile();
        action->setEnabled(holdsText);
        if (!holdsText) action->setToolTip(tr("No dictionary text in this folder now"));
        connect(action, &QAction::triggered, this, [this, folder = recent.folder] {
            m_form.guarded([&] { m_form.readingAids().openDictionaryFolder(folder); });
        });
    }
}

void ReaderMemory::chooseLanguage(const QString& code) {
    if (code == m_language) return;
    setLanguage(code);
    QString name;
    for (const WindowLanguage& language : windowLanguages()) {
        if (language.code == code) name = language.name;
    }
    const auto answer = QMessageBox::question(
        &m_form, tr("Language"),
        tr("Wordhoard shows in %1 from its next start. Restart it now?").arg(name),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    saveSettings();
    saveReading();
    if (m_store) m_store->flush();
    // The same program with the same arguments, in the same working directory.
    if (QProcess::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1))) {
        m_form.close();
    }
}

void ReaderMemory::confirmReset() {
    const auto answer = QMessageBox::question(
        &m_form, tr("Reset Settings"),
        tr("Return the window to its first start: its size, the design font and colours, no zoom, strict "
           "matching, the page as designed and English? The list of recent dictionaries is forgotten; "
           "favourites and history stay."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) resetSettings();
}

} // namespace wordhoard
