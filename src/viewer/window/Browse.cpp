// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry display: a line of either list shows its entry, decoded and styled, with its page.
#include "window/MainForm.h"

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "display/EntryDisplay.h"
#include "display/EntryFormat.h"
#include "search/HeadwordLookup.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/PageImageView.h"
#include "aids/ReadingAids.h"
#include "aids/Theme.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <array>

namespace wordhoard {

namespace {

// The character format of each combination of style bits, made once per colour of the marks
// (the theme's).
const QTextCharFormat& charFormat(std::uint8_t style, const QColor& mark) {
    static QColor madeFor;
    static std::array<QTextCharFormat, 8> formats;
    if (mark != madeFor || !madeFor.isValid()) {
        madeFor = mark;
        for (std::size_t bits = 0; bits < formats.size(); ++bits) {
            QTextCharFormat& made = formats[bits];
            made = QTextCharFormat();
            if (bits & kStyleBold) made.setFontWeight(QFont::Bold);
            if (bits & kStyleItalic) made.setFontItalic(true);
            if (bits & kStyleMark) {
                made.setForeground(mark);
                made.setFontUnderline(true);
            }
        }
    }
    return formats[style & 7u];
}

// Builds the pane's document in one go from the formatted text. A CR LF pair (or a lone CR) is
// one line break on screen; `screenPos` maps a text position to its place in the document.
void buildDocument(QTextEdit* pane, const FormattedEntry& entry, std::vector<int>& screenPos) {
    auto* document = new QTextDocument(pane);
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(pane->font());
    const QColor mark = markColour(pane->palette());
    QTextCursor cursor(document);
    // One edit block: the document settles once, not after each of thousands of runs.
    cursor.beginEditBlock();
    const QString& text = entry.text;
    screenPos.assign(static_cast<std::size_t>(text.size()) + 1, 0);
    QString chunk;
    std::uint8_t chunkStyle = 0;
    int written = 0;
    const auto flush = [&] {
        if (chunk.isEmpty()) return;
        cursor.insertText(chunk, charFormat(chunkStyle, mark));
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        screenPos[static_cast<std::size_t>(i)] = written;
        const QChar ch = text[i];
        const std::uint8_t style = entry.styles[static_cast<std::size_t>(i)];
        if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
        if (style != chunkStyle) {
            flush();
            chunkStyle = style;
        }
        chunk.append(ch == u'\r' ? QChar(u'\n') : ch);
        ++written;
    }
    flush();
    cursor.endEditBlock();
    screenPos[static_cast<std::size_t>(text.size())] = written;
    // The pane deletes the document it replaces, since the pane is its parent.
    pane->setDocument(document);
}

} // namespace

void TMainForm::TntListBox1Click() { Browse(0); }
void TMainForm::TntListBox2Click() { Browse(1); }

void TMainForm::Browse(int list) {
    const ListBox* box = list == 0 ? TntListBox1 : TntListBox2;
    const std::vector<std::int32_t>& offsets = list == 0 ? m_unit.EntryOffsets().offsets : m_unit.HitOffsets;
    const int row = box->selectedRow();
    // No line selected: the pane, the status bar and the picture stay as they are.
    if (row < 0 || static_cast<std::size_t>(row) >= offsets.size()) return;
    const std::int32_t h = offsets[static_cast<std::size_t>(row)];
    // A text changed on disk is read again first, and shows the entry clicked.
    if (m_aids->checkText(h) != ReadingAids::TextCheck::Current) return;
    showEntry(h);
    m_aids->entryShown(h, list, m_inLookUp);
    if (!Image1->isHidden()) Load_Image(shownPage());
}

void TMainForm::showEntry(std::int32_t start) {
    m_unit.EntryBuffer.clear();
    Display(start - 4, entryLastByte(m_unit.text(), start));
}

void TMainForm::Display(std::int32_t from, std::int32_t to) {
    m_unit.EntryBuffer = entryBuffer(m_unit.text(), from, to);
    Ligatures(m_unit.EntryBuffer);
    Format(to - from);
    m_shownPage = pageNameBefore(m_unit.text(), from);
    StatusPanel1->setText(widen(m_shownPage));
    m_shownEntry = from + 4;
    emit entryDisplayed();
}

void TMainForm::Ligatures(const QString& text) { m_unit.DecodedText = decodeEntities(text); }

void TMainForm::Format(std::int32_t length) {
    // Hits are marked only while the hit list is the active list.
    const QString mark = TntListBox2->isHidden() ? QString() : TntEdit1->text();
    const FormattedEntry entry = formatEntry(m_unit.DecodedText, length, mark, looseMatching());
    std::vector<int>& screenPos = m_screenPos;
    buildDocument(TntRichEdit1, entry, screenPos);
    m_markPositions.clear();
    for (const auto& [pos, len] : entry.marks) {
        const int at = screenPos[static_cast<std::size_t>(pos)];
        m_markPositions.push_back({at, screenPos[static_cast<std::size_t>(pos + len)] - at});
    }
    QTextCursor cursor(TntRichEdit1->document());
    if (!entry.marks.empty()) {
        // The selection stays on the last marked occurrence.
        const auto& [pos, len] = entry.marks.back();
        cursor.setPosition(screenPos[static_cast<std::size_t>(pos)]);
        cursor.setPosition(screenPos[static_cast<std::size_t>(pos + len)], QTextCursor::KeepAnchor);
    }
    TntRichEdit1->setTextCursor(cursor);
    m_marksFresh = !entry.marks.empty();
}

void TMainForm::TntEdit1KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ProcesSearch(TntEdit1->text());
    } else if (key == Qt::Key_Down) {
        const int row = TntListBox1->selectedRow();
        if (row < wordListModel->rowCount() - 1) {
            TntListBox1->selectRow(row + 1);
            TntListBox1->scrollTo(wordListModel->index(row + 1, 0));
        }
        TntListBox1Click();
    } else if (key == Qt::Key_Up) {
        const int row = TntListBox1->selectedRow();
        if (row > 0) {
            TntListBox1->selectRow(row - 1);
            TntListBox1->scrollTo(wordListModel->index(row - 1, 0));
        }
        TntListBox1Click();
    }
}

void TMainForm::CheckBox1Click() {
    if (CheckBox1->isChecked()) {
        wordListModel->setSorted(true);
    } else {
        wordListModel->setSorted(false);
        Wordlist();
    }
}

} // namespace wordhoard
