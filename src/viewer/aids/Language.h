// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <vector>

namespace wordhoard {

// The languages View > Language offers: the designed English (code "") and the translations
// built into the program, each named in its own language.
struct WindowLanguage {
    QString code; // "de"
    QString name; // "Deutsch"
};
std::vector<WindowLanguage> windowLanguages();

// Installs the translation of the window into `code` (ours, and Qt's own for its dialogs when
// the system has it) before the windows are made: a window shows the language in force when it
// was built. It takes the place of the language installed before. "" (or a code we have no
// translation for) leaves the designed English, whatever the system's locale; false then.
bool installLanguage(const QString& code);

} // namespace wordhoard
