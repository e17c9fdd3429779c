// File > Open Dictionary Folder: another dictionary in place of the open one.
#include "aids/ReadingAids.h"

#include "search/HeadwordLookup.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "search/LooseSearch.h"
#include "window/MainForm.h"
#include "display/PageFiles.h"
#include "window/PageImageView.h"
#include "text/TextLoad.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>

namespace wordhoard {

void ReadingAids::addFolderItems() {
    QMenu* file = menu("File1");
    QAction* open = addAction(nullptr, QStringLiteral("&Open Dictionary Folder..."), "FileOpenFolder",
                              {QKeySequence(Qt::CTRL | Qt::Key_O)}, [this] { chooseDictionaryFolder(); });
    file->insertAction(m_form.FileExit1, open);
    file->insertSeparator(m_form.FileExit1);
    m_listed.push_back(m_form.FileExit1); // its key belongs to the list too
}

void ReadingAids::chooseDictionaryFolder() {
    const QString start = m_form.unit().folder.isEmpty() ? QDir::currentPath() : m_form.unit().folder;
    const QString folder = QFileDialog::getExistingDirectory(&m_form, QStringLiteral("Open Dictionary Folder"), start);
    if (!folder.isEmpty()) openDictionaryFolder(folder);
}

bool ReadingAids::openDictionaryFolder(const QString& folder) {
    // Read and indexed as at start-up: a second thread reads parts while this one helps.
    const QString fileName = dictionaryTextPath(folder);
    LoadedText loaded = PendingText(fileName, {}).take();
    if (!loaded.text->opened()) {
        reportError(QStringLiteral("Cannot open the dictionary text \"%1\": %2").arg(fileName, loaded.text->errorString()));
        return false;
    }
    MainUnit& unit = m_form.unit();
    // The look-up and the word list read the index being replaced: let go of it first.
    m_form.m_lookup.reset();
    m_form.m_loadedIndex.reset();
    m_form.m_looseIndex.reset();
    unit.EntryOffsets = std::move(loaded.index);
    m_form.wordListModel->setSource(&unit.EntryOffsets);
    m_form.hitListModel->clear();
    m_form.hitCountLabel->clear();
    unit.HitOffsets.clear();
    unit.text = std::move(loaded.text);
    unit.folder = folder;
    unit.EntryBuffer.clear();
    unit.DecodedText.clear();
    unit.LastImage.clear();
    m_form.TntRichEdit1->document()->clear();
    m_form.m_markPositions.clear();
    m_form.StatusPanel1->clear();
    m_form.Image1->setPicture(nullptr);
    reset();
    return true;
}

void ReadingAids::reset() {
    m_history.clear();
    m_shown.reset();
    m_pageOrder.reset();
    updateHistoryActions();
}

} // namespace wordhoard
