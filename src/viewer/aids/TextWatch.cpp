// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Which dictionary is open, and reading it again when its file changes on disk.
//
// A read of the mapped text never faults, even past the end of a file that shrank (MappedFile);
// but a changed file no longer says what the index says. So the window reads the text again
// before it shows or searches anything of a text that changed (reloadIfStale), and the watcher
// reads it again once a changed file has been quiet for a moment (a copy over it arrives in many
// writes), so that the window follows the file even while the reader does nothing. The reload is
// Open Dictionary Folder's; the entry shown and the history steps whose headwords the new text
// still holds are kept, found again by the headwords the old index kept.
#include "aids/ReadingAids.h"

#include "display/PageFiles.h"
#include "reading/EntryPlace.h"
#include "window/ListBox.h"
#include "window/MainForm.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

namespace wordhoard {

namespace {

// How long a changed file must stay unchanged before it is read again.
constexpr int kQuietMs = 400;
// How long a notice stays in the status bar.
constexpr int kNoticeMs = 10'000;

} // namespace

void ReadingAids::addTextWatch() {
    m_dictionaryLabel = new QLabel;
    m_dictionaryLabel->setObjectName(QStringLiteral("DictionaryFolder"));
    m_dictionaryLabel->setTextFormat(Qt::PlainText);
    m_noticeLabel = new QLabel;
    m_noticeLabel->setObjectName(QStringLiteral("Notice"));
    m_noticeLabel->setTextFormat(Qt::PlainText);
    m_noticeLabel->hide();
    m_form.statusBar()->addPermanentWidget(m_noticeLabel);
    m_form.statusBar()->addPermanentWidget(m_dictionaryLabel);
    m_noticeTimer = new QTimer(this);
    m_noticeTimer->setSingleShot(true);
    m_noticeTimer->setInterval(kNoticeMs);
    connect(m_noticeTimer, &QTimer::timeout, m_noticeLabel, &QLabel::hide);

    m_watcher = new QFileSystemWatcher(this);
    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(kQuietMs);
    const auto changed = [this] { m_settle->start(); };
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
    connect(m_settle, &QTimer::timeout, this, [this] { m_form.guarded([&] { reloadIfChanged(); }); });
}

void ReadingAids::watchText() {
    const Dictionary& dictionary = m_form.dictionary();
    const QString folder = m_form.unit().folder;
    const QString shown = QDir::toNativeSeparators(QFileInfo(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath());
    m_dictionaryLabel->setText(QFileInfo(shown).fileName());
    m_dictionaryLabel->setToolTip(tr("Dictionary: %1").arg(shown));
    if (!m_watcher->files().isEmpty()) m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty()) m_watcher->removePaths(m_watcher->directories());
    if (!dictionary.opened()) return;
    // The folder too: a file replaced by another one (saved by renaming over it) leaves the
    // watcher watching nothing.
    m_watcher->addPath(dictionary.fileName());
    m_watcher->addPath(QFileInfo(dictionary.fileName()).absolutePath());
    // The file may have changed since it was read, before anything watched it.
    m_settle->start();
}

void ReadingAids::showNotice(const QString& text) {
    m_noticeLabel->setText(text);
    m_noticeLabel->show();
    m_noticeTimer->start();
}

bool ReadingAids::reloadIfChanged() {
    const Dictionary& dictionary = m_form.dictionary();
    if (!dictionary.opened() || fileStateOf(dictionary.fileName()) == dictionary.text().openedState()) return false;
    // A file saved anew under the same name is watched anew.
    if (!m_watcher->files().contains(dictionary.fileName())) m_watcher->addPath(dictionary.fileName());
    return reloadText();
}

ReadingAids::TextCheck ReadingAids::checkText(std::optional<std::int32_t> toShow) {
    if (!m_form.dictionary().stale()) return TextCheck::Current;
    return reloadText(toShow) ? TextCheck::ReadAgain : TextCheck::Unreadable;
}

bool ReadingAids::reloadText(std::optional<std::int32_t> toShow) {
    const std::shared_ptr<const Dictionary> old = m_form.unit().dictionary;
    std::shared_ptr<const Dictionary> fresh = Dictionary::load(old->fileName());
    if (!fresh->opened()) {
        // The text read before stays (where the file shrank it reads as zeros); the next change is
        // tried again.
        showNotice(tr("The dictionary text changed on disk and can't be read now: %1")
                       .arg(fresh->text().errorString()));
        return false;
    }
    settleTyping();
    // What to find again in the new text, by the headwords the old index keeps.
    const EntryIndex& oldIndex = old->index();
    QHash<std::int32_t, EntryPlace> places;
    for (const Visit& visit : m_history.visits()) {
        if (const auto place = placeOf(oldIndex, visit.start)) places.insert(visit.start, *place);
    }
    History history = m_history;
    const bool clicked = toShow.has_value();
    if (!toShow) toShow = m_form.shownEntry();
    const std::optional<EntryPlace> showPlace = toShow ? placeOf(oldIndex, *toShow) : std::nullopt;

    m_form.openText(std::move(fresh), m_form.unit().folder);
    m_form.Wordlist();
    m_form.wordList()->scrollToTop();
    const EntryFinder finder(m_form.dictionary().index());
    history.remap([&](const Visit& visit) -> std::optional<Visit> {
        const auto place = places.constFind(visit.start);
        const std::optional<std::int32_t> start = place == places.cend() ? std::nullopt : finder.find(*place);
        if (!start) return std::nullopt;
        return Visit{*start, visit.list};
    });
    m_history = history;
    updateHistoryActions();
    if (const std::optional<std::int32_t> start = showPlace ? finder.find(*showPlace) : std::nullopt) {
        // The hit list starts afresh, so the entry comes back in the word list.
        show(Visit{*start, 0});
        if (clicked) m_history.record({*start, 0});
        updateHistoryActions();
    } else {
        m_form.Select(m_form.searchField()->text());
    }
    showNotice(tr("The dictionary text changed on disk: read again"));
    return true;
}

} // namespace wordhoard
