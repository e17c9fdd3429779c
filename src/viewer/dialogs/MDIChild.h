// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMdiSubWindow>

class QPlainTextEdit;

namespace wordhoard {

// An auxiliary text window inside the main window's document area: an empty, editable memo
// captioned with a file name. Closing it destroys it.
class TMDIChild : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TMDIChild(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
};

} // namespace wordhoard
