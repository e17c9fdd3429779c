// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// File > Exit, View > Font, Help > About, and the auxiliary text window.
#include "window/MainForm.h"

#include "dialogs/AboutBox.h"
#include "window/ListBox.h"
#include "dialogs/MDIChild.h"

#include <QFileInfo>
#include <QFontDialog>
#include <QMdiArea>
#include <QLineEdit>
#include <QTextEdit>

namespace wordhoard {

void TMainForm::FileExit1Execute() { close(); }

void TMainForm::FontSelectExecute() {
    if (!FontDialog1) {
        FontDialog1 = new QFontDialog(this);
        FontDialog1->setObjectName(QStringLiteral("FontDialog1"));
        QFont initial(QStringLiteral("Cardo"));
        initial.setPointSizeF(10.5); // 14 pixels at 96 dpi, in the unit the dialog lists
        FontDialog1->setCurrentFont(m_fontChoice.value_or(initial));
    }
    // The dialog keeps the last choice, so the next opening starts from it.
    if (FontDialog1->exec() != QDialog::Accepted) return;
    applyFont(FontDialog1->selectedFont());
}

void TMainForm::applyFont(const std::optional<QFont>& choice) {
    m_fontChoice = choice;
    const QFont font = choice.value_or(designFont());
    TntRichEdit1->setFont(font);
    TntRichEdit1->document()->setDefaultFont(font);
    TntEdit1->setFont(font);
    TntListBox1->setFont(font);
    TntListBox2->setFont(font);
    emit fontChosen();
}

void TMainForm::HelpAbout1Execute() {
    if (AboutBox) AboutBox->exec(); // the box is hidden again, not destroyed, when it closes
}

TMDIChild* TMainForm::CreateMDIChild(const QString& fileName) {
    // Only for a file: a missing path or a directory opens nothing.
    if (!QFileInfo(fileName).isFile()) return nullptr;
    auto* child = new TMDIChild;
    child->setWindowTitle(fileName);
    MDIClient->addSubWindow(child);
    child->show();
    return child;
}

} // namespace wordhoard
