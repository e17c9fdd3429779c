// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings/ViewerSettings.h"

#include <QString>
#include <QStringList>

namespace wordhoard {

// Where a viewer started from its desktop entry (`wordhoard --desktop`, no FOLDER) looks for a
// dictionary, in order: the reader's own data folder, then the system's, each + "/wordhoard".
// Unset or empty variables take their defaults; relative paths in them are ignored, as the XDG
// base-directory rules ask.
//   dataHome "", dataDirs "", home "/home/u" gives
//     /home/u/.local/share/wordhoard, /usr/local/share/wordhoard, /usr/share/wordhoard
//   dataHome "/x", dataDirs "/a:rel::/b/" gives /x/wordhoard, /a/wordhoard, /b/wordhoard
QStringList desktopDictionaryPlaces(const QString& dataHome, const QString& dataDirs, const QString& home);
// The same from $XDG_DATA_HOME, $XDG_DATA_DIRS and the home folder, after the folder opened last
// (the first of `settings`' recent folders) when it still holds a dictionary.
QStringList desktopDictionaryPlaces(const ViewerSettings& settings = {});

struct DesktopFolder {
    QString folder; // the dictionary folder to read
    QString error;  // none of the places holds a dictionary: the message naming them all
};

// The first of `places` that holds txt/WH-main_01.txt. When none does, folder is the first
// place (where a reader would put their own) and error names every place tried.
DesktopFolder findDesktopDictionary(const QStringList& places);

} // namespace wordhoard
