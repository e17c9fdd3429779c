// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/MDIChild.h"

#include <QPlainTextEdit>

namespace wordhoard {

TMDIChild::TMDIChild(QWidget* parent) : QMdiSubWindow(parent) {
    setObjectName(QStringLiteral("MDIChild"));
    setWindowTitle(tr("MDI Child"));
    setAttribute(Qt::WA_DeleteOnClose); // the close action is "free"
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(Memo1);
}

} // namespace wordhoard
