// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reading/LastingHistory.h"

#include <QList>

#include <algorithm>
#include <cstdint>

namespace wordhoard {

PlacedHistory placeHistory(const History& history, const EntryIndex& index) {
    PlacedHistory placed;
    placed.steps.reserve(history.size());
    for (const Visit& visit : history.visits()) {
        placed.steps.push_back({placeOf(index, visit.start).value_or(EntryPlace{visit.start, {}}), visit.list});
    }
    placed.cursor = history.position();
    return placed;
}

History findHistory(const PlacedHistory& placed, const EntryFinder& finder) {
    // Recorded first as steps 0, 1, 2, ... (all different, so none merge; of more than the
    // history keeps, the oldest go), the cursor moved back to its step, then each step mapped to
    // where its entry is now.
    History history;
    for (std::size_t i = 0; i < placed.steps.size(); ++i) {
        history.record({static_cast<std::int32_t>(i), placed.steps[i].list});
    }
    for (std::size_t back = placed.steps.size() - std::min(placed.cursor + 1, placed.steps.size()); back > 0; --back) {
        history.back();
    }
    history.remap([&](const Visit& visit) -> std::optional<Visit> {
        const PlacedHistory::Step& step = placed.steps[static_cast<std::size_t>(visit.start)];
        const std::optional<std::int32_t> start = finder.find(step.place);
        if (!start) return std::nullopt;
        return Visit{*start, step.list};
    });
    return history;
}

QString encodeHistory(const PlacedHistory& placed) {
    QString out = QString::number(placed.cursor) + u'\n';
    for (const PlacedHistory::Step& step : placed.steps) {
        out += QString::number(step.place.start) + u'\t' + QString::number(step.list) + u'\t' +
               QString::fromLatin1(step.place.headword.toPercentEncoding()) + u'\n';
    }
    return out;
}

PlacedHistory decodeHistory(QStringView encoded, int* skipped) {
    PlacedHistory placed;
    int bad = 0;
    const QList<QStringView> lines = encoded.split(u'\n', Qt::SkipEmptyParts);
    bool cursorOk = false;
    if (!lines.isEmpty()) placed.cursor = lines.first().toULongLong(&cursorOk);
    if (!cursorOk && !lines.isEmpty()) ++bad;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QStringView> fields = lines[i].split(u'\t');
        bool ok = fields.size() == 3;
        PlacedHistory::Step step;
        if (ok) step.place.start = fields[0].toInt(&ok);
        if (ok) step.list = fields[1].toInt(&ok);
        if (!ok || step.place.start < 4 || (step.list != 0 && step.list != 1)) {
            ++bad;
            continue;
        }
        step.place.headword = QByteArray::fromPercentEncoding(fields[2].toLatin1());
        placed.steps.push_back(std::move(step));
    }
    if (!cursorOk || placed.cursor >= placed.steps.size()) placed.cursor = placed.steps.empty() ? 0 : placed.steps.size() - 1;
    if (skipped) *skipped = bad;
    return placed;
}

} // namespace wordhoard
