// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reading/EntryPlace.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <vector>

namespace wordhoard {

// A dictionary folder opened lately, and the entry last shown in it.
struct RecentDictionary {
    QString folder; // absolute
    std::optional<EntryPlace> lastEntry;
    bool operator==(const RecentDictionary&) const = default;
};

// What the viewer keeps of the window between runs. Default-made, it is the window as designed:
// a first start, or one after View > Reset Settings.
struct ViewerSettings {
    enum class PageFit { Stretched, Natural, Width, Scale };
    enum class Theme { System, Light, Dark };

    QByteArray windowGeometry; // QWidget::saveGeometry(); empty: the designed size
    QByteArray windowState;    // QMainWindow::saveState()
    int listTab = 0;           // 0 Wordlist, 1 Search
    int entryTab = 0;          // 0 Text, 1 Image
    QString font;              // the View > Font choice as QFont::toString() gives it; empty: the design font
    int zoom = 100;            // percent of the font
    bool looseMatching = false;
    PageFit pageFit = PageFit::Stretched;
    int pageScale = 100; // percent, for PageFit::Scale
    Theme theme = Theme::System;
    QString language;                      // "de"; empty: the designed English
    std::vector<RecentDictionary> recent; // the last opened first

    static constexpr int kRecentFolders = 8;

    bool operator==(const ViewerSettings&) const = default;
};

// The settings as the settings file holds them, key by key ("view/zoom" = 150, ...), with the
// file format's number under "format".
QVariantMap settingsToMap(const ViewerSettings& settings);
// Back from the file's keys. A value that is missing, of the wrong kind or out of range leaves
// its default ("view/zoom" = "big" or 9000 gives 100), so one bad line never costs the rest.
ViewerSettings settingsFromMap(const QVariantMap& map);

// `folder` made the last opened: moved to the front with its last entry (or added there), the
// list cut to 8. Paths are compared as given, so callers pass them absolute and cleaned.
//   ({"/b", "/a"}, "/a") gives {"/a", "/b"}
void addRecentFolder(std::vector<RecentDictionary>& recent, const QString& folder);

} // namespace wordhoard
