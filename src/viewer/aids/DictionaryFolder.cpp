// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// File > Open Dictionary Folder: another dictionary in place of the open one.
#include "aids/ReadingAids.h"

#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/MainForm.h"
#include "display/PageFiles.h"
#include "window/PageImageView.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace wordhoard {

void ReadingAids::addFolderItems() {
    QMenu* file = menu("File1");
    QAction* open = addAction(nullptr, tr("&Open Dictionary Folder..."), "FileOpenFolder",
                              {QKeySequence(Qt::CTRL | Qt::Key_O)}, [this] { chooseDictionaryFolder(); });
    file->insertAction(m_form.FileExit1, open);
    file->insertSeparator(m_form.FileExit1);
    m_listed.push_back(m_form.FileExit1); // its key belongs to the list too
}

void ReadingAids::chooseDictionaryFolder() {
    const QString start = m_form.unit().folder.isEmpty() ? QDir::currentPath() : m_form.unit().folder;
    const QString folder = QFileDialog::getExistingDirectory(&m_form, tr("Open Dictionary Folder"), start);
    if (!folder.isEmpty()) openDictionaryFolder(folder);
}

bool ReadingAids::openDictionaryFolder(const QString& folder) {
    // Read and indexed as at start-up: a second thread reads parts while this one helps.
    std::shared_ptr<const Dictionary> dictionary = Dictionary::load(dictionaryTextPath(folder));
    if (!dictionary->opened()) {
        m_form.reportError(dictionary->openError());
        return false;
    }
    m_form.openText(std::move(dictionary), folder);
    m_form.Wordlist();
    // The new list from its top, then what the search field holds looked up in it, as if typed.
    m_form.wordList()->scrollToTop();
    m_form.Select(m_form.searchField()->text());
    return true;
}

void ReadingAids::reset() {
    m_typed.reset();
    m_typingPause->stop();
    m_history.clear();
    endPageTurning();
    updateHistoryActions();
    watchText();
}

} // namespace wordhoard
