// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings/ViewerSettings.h"

#include <QColor>
#include <QPalette>

namespace wordhoard {

// View > Theme. System is the platform's palette, the window as designed; Light the style's own
// light palette (for a reader whose desktop is dark); Dark ours, in which the entry text, bold
// and italic, links, the hit list's snippets and page names all read at a contrast of 4.5:1 or
// more. The scanned page is shown as scanned in every theme.
QPalette themePalette(ViewerSettings::Theme theme);
// Makes `theme` the application's palette; every window follows at once.
void applyTheme(ViewerSettings::Theme theme);

// The colour of the search marks in the entry and the hit list on `palette`: the designed red
// (240, 0, 0) on a light base, a lighter red of the dark theme's own on a dark one (a dark
// desktop's System palette too), where the designed red would hardly read.
QColor markColour(const QPalette& palette);

} // namespace wordhoard
