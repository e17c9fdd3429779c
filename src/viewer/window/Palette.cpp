// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The character palette and the five letter buttons: each appends its letter to the search field.
#include "window/MainForm.h"

#include "text/EntityTable.h"

#include <QComboBox>
#include <QLineEdit>

namespace wordhoard {

namespace {

// The palette lists the table's characters in row order, with U+1FD6 once more after row 251:
// 265 entries.
constexpr std::size_t kRowsBeforeRepeat = 251;
constexpr char16_t kRepeated = 0x1FD6;

} // namespace

void TMainForm::FillCombo() {
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(kEntityCount) + 1);
    for (std::size_t row = 0; row < kEntityCount; ++row) {
        if (row == kRowsBeforeRepeat) entries << QString(QChar(kRepeated));
        entries << QString(QChar(EntityTable[row].character));
    }
    TntComboBox1->addItems(entries);
    TntComboBox1->setCurrentIndex(-1); // nothing chosen: the edit field starts empty
}

void TMainForm::appendToSearchField(const QString& text) {
    // Always at the end, whatever the caret or selection; setText raises the change handler.
    TntEdit1->setText(TntEdit1->text() + text);
}

void TMainForm::TntComboBox1Select() { appendToSearchField(TntComboBox1->currentText()); }
void TMainForm::TntButton2Click() { appendToSearchField(QString(QChar(0x00FE))); }
void TMainForm::TntButton3Click() { appendToSearchField(QString(QChar(0x00F0))); }
void TMainForm::TntButton4Click() { appendToSearchField(QString(QChar(0x00E6))); }
void TMainForm::TntButton5Click() { appendToSearchField(QString(QChar(0x0153))); }
// The button shows the small yogh but types the capital one.
void TMainForm::TntButton6Click() { appendToSearchField(QString(QChar(0x021C))); }

} // namespace wordhoard
