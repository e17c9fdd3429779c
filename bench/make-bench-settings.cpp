// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes a settings folder as a reader's looks after long use of the dictionary in FOLDER: the
// window's settings (a font of its own, zoom, the dark theme, eight recent folders, FOLDER last,
// with the entry shown in it), and FOLDER's history of 1,000 steps and 500 favourites with notes.
// bench/run-benchmarks startup starts the viewer with it.
//   make-bench-settings FOLDER CONFIG_HOME     (writes CONFIG_HOME/wordhoard/)
#include "Dictionary.h"
#include "display/PageFiles.h"
#include "reading/EntryPlace.h"
#include "reading/Favourites.h"
#include "reading/History.h"
#include "reading/LastingHistory.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <random>

using namespace wordhoard;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-bench-settings FOLDER CONFIG_HOME\n");
        return 2;
    }
    const QString folder = QDir::cleanPath(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    const auto dictionary = Dictionary::load(dictionaryTextPath(folder));
    if (!dictionary->opened() || dictionary->index().empty()) {
        std::fprintf(stderr, "make-bench-settings: %s\n", qPrintable(dictionary->openError()));
        return 1;
    }
    const TMapTextfile& text = dictionary->text();
    const auto& starts = dictionary->index().offsets;
    std::mt19937 random(1);
    const auto anyEntry = [&] { return starts[random() % starts.size()]; };

    History history;
    while (history.size() < History::kSteps + 1) history.record({anyEntry(), static_cast<int>(random() % 4 == 0)});
    Favourites favourites;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // Every n/500th entry: 500 different ones (all of a smaller text).
    const std::size_t marked = std::min<std::size_t>(500, starts.size());
    for (std::size_t k = 0; k < marked; ++k) {
        favourites.toggle(text, dictionary->index(), starts[k * starts.size() / marked], now.addSecs(-3600 * static_cast<qint64>(k)));
        favourites.setNote(favourites.size() - 1, QStringLiteral("a note of the reader's own, number %1").arg(k));
    }

    ViewerSettings settings;
    settings.font = QStringLiteral("Cardo,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1");
    settings.zoom = 125;
    settings.theme = ViewerSettings::Theme::Dark;
    settings.recent.push_back({folder, placeOf(dictionary->index(), history.current()->start)});
    for (int i = 1; i < ViewerSettings::kRecentFolders; ++i) {
        settings.recent.push_back({QStringLiteral("/home/reader/dictionaries/%1").arg(i), EntryPlace{40, "cyning"}});
    }
    SettingsStore store(QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("wordhoard")));
    store.saveSettings(settings);
    store.saveReading(folder, {encodeHistory(placeHistory(history, dictionary->index())), favourites.encode()});
    store.flush();
    return 0;
}
