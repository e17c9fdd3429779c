// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/ViewerSettings.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace wordhoard {

namespace {

// The settings file's layout; a file with another number is not ours to read.
constexpr int kSettingsFormat = 1;

// The bounds the viewer's zoom and page zoom keep.
constexpr int kMinZoom = 50;
constexpr int kMaxZoom = 400;
constexpr int kMinPageScale = 10;
constexpr int kMaxPageScale = 400;

constexpr std::array kPageFits = {std::pair{ViewerSettings::PageFit::Stretched, "stretched"},
                                  std::pair{ViewerSettings::PageFit::Natural, "natural"},
                                  std::pair{ViewerSettings::PageFit::Width, "width"},
                                  std::pair{ViewerSettings::PageFit::Scale, "scale"}};
constexpr std::array kThemes = {std::pair{ViewerSettings::Theme::System, "system"},
                                std::pair{ViewerSettings::Theme::Light, "light"},
                                std::pair{ViewerSettings::Theme::Dark, "dark"}};

template <typename Enum, std::size_t N>
QString nameOf(const std::array<std::pair<Enum, const char*>, N>& names, Enum value) {
    for (const auto& [e, name] : names) {
        if (e == value) return QString::fromLatin1(name);
    }
    return {};
}

template <typename Enum, std::size_t N>
Enum valueOf(const std::array<std::pair<Enum, const char*>, N>& names, const QVariant& stored, Enum fallback) {
    const QString text = stored.toString();
    for (const auto& [e, name] : names) {
        if (text == QLatin1String(name)) return e;
    }
    return fallback;
}

// A last entry as the settings keep it: "40\tcyning", the headword percent-encoded; "" for none.
QString entryToText(const std::optional<EntryPlace>& entry) {
    if (!entry) return {};
    return QString::number(entry->start) + u'\t' + QString::fromLatin1(entry->headword.toPercentEncoding());
}

std::optional<EntryPlace> entryFromText(const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    if (tab < 0) return std::nullopt;
    bool ok = false;
    const int start = text.first(tab).toInt(&ok);
    if (!ok || start < 4) return std::nullopt;
    return EntryPlace{start, QByteArray::fromPercentEncoding(text.sliced(tab + 1).toLatin1())};
}

std::optional<int> intIn(const QVariant& stored, int low, int high) {
    bool ok = false;
    const int value = stored.toInt(&ok);
    if (!ok || value < low || value > high) return std::nullopt;
    return value;
}

} // namespace

QVariantMap settingsToMap(const ViewerSettings& s) {
    QVariantMap map;
    map.insert(QStringLiteral("format"), kSettingsFormat);
    if (!s.windowGeometry.isEmpty()) map.insert(QStringLiteral("window/geometry"), s.windowGeometry);
    if (!s.windowState.isEmpty()) map.insert(QStringLiteral("window/state"), s.windowState);
    map.insert(QStringLiteral("window/listTab"), s.listTab);
    map.insert(QStringLiteral("window/entryTab"), s.entryTab);
    map.insert(QStringLiteral("view/font"), s.font);
    map.insert(QStringLiteral("view/zoom"), s.zoom);
    map.insert(QStringLiteral("view/looseMatching"), s.looseMatching);
    map.insert(QStringLiteral("view/pageFit"), nameOf(kPageFits, s.pageFit));
    map.insert(QStringLiteral("view/pageScale"), s.pageScale);
    map.insert(QStringLiteral("view/theme"), nameOf(kThemes, s.theme));
    map.insert(QStringLiteral("view/language"), s.language);
    QStringList folders;
    QStringList entries;
    for (const RecentDictionary& recent : s.recent) {
        folders << recent.folder;
        entries << entryToText(recent.lastEntry);
    }
    map.insert(QStringLiteral("recent/folders"), folders);
    map.insert(QStringLiteral("recent/entries"), entries);
    return map;
}

ViewerSettings settingsFromMap(const QVariantMap& map) {
    ViewerSettings s;
    const auto at = [&](const char* key) { return map.value(QLatin1String(key)); };
    s.windowGeometry = at("window/geometry").toByteArray();
    s.windowState = at("window/state").toByteArray();
    s.listTab = intIn(at("window/listTab"), 0, 1).value_or(s.listTab);
    s.entryTab = intIn(at("window/entryTab"), 0, 1).value_or(s.entryTab);
    s.font = at("view/font").toString();
    s.zoom = intIn(at("view/zoom"), kMinZoom, kMaxZoom).value_or(s.zoom);
    // QSettings gives a boolean back as the text "true" or "false".
    const QString loose = at("view/looseMatching").toString();
    s.looseMatching = loose == u"true";
    s.pageFit = valueOf(kPageFits, at("view/pageFit"), s.pageFit);
    s.pageScale = intIn(at("view/pageScale"), kMinPageScale, kMaxPageScale).value_or(s.pageScale);
    s.theme = valueOf(kThemes, at("view/theme"), s.theme);
    s.language = at("view/language").toString();
    // One folder is read back as a plain string, several as a list.
    const QStringList folders = at("recent/folders").toStringList();
    const QStringList entries = at("recent/entries").toStringList();
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const QString& folder = folders[i];
        const bool known = std::any_of(s.recent.begin(), s.recent.end(),
                                       [&](const RecentDictionary& r) { return r.folder == folder; });
        if (folder.isEmpty() || known || s.recent.size() >= ViewerSettings::kRecentFolders) continue;
        s.recent.push_back({folder, entryFromText(entries.value(i))});
    }
    return s;
}

void addRecentFolder(std::vector<RecentDictionary>& recent, const QString& folder) {
    const auto known = std::find_if(recent.begin(), recent.end(),
                                    [&](const RecentDictionary& r) { return r.folder == folder; });
    RecentDictionary moved = known == recent.end() ? RecentDictionary{folder, std::nullopt} : *known;
    if (known != recent.end()) recent.erase(known);
    recent.insert(recent.begin(), std::move(moved));
    if (recent.size() > ViewerSettings::kRecentFolders) recent.resize(ViewerSettings::kRecentFolders);
}

} // namespace wordhoard
