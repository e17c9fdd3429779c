// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace wordhoard {

// The text the error box shows: a "." is added when the message's last character sorts after "."
// ("missing )" stays, "missing closing parenthesis" gets its full stop).
QString errorBoxText(const QString& message);

// The application's one error box: caption "Wordhoard", critical icon, OK.
void showErrorBox(QWidget* parent, const QString& message);

} // namespace wordhoard
