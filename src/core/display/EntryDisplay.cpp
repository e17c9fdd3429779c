// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/EntryDisplay.h"

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

#include <algorithm>

namespace wordhoard {

QString entryBuffer(const TMapTextfile& text, std::int32_t from, std::int32_t to) {
    const QByteArrayView all = text.bytes();
    const qsizetype first = std::max<qsizetype>(qsizetype{from} + 1, 0);
    const qsizetype end = std::min<qsizetype>(qsizetype{to} + 1, all.size());
    if (first >= end) return {};
    return widen(all.sliced(first, end - first));
}

QString entryPageName(const TMapTextfile& text, std::int32_t from) {
    return widen(pageNameBefore(text, from));
}

bool isEntryStart(const EntryIndex& index, std::int32_t start) {
    // The offsets grow strictly in file order.
    return std::binary_search(index.offsets.begin(), index.offsets.end(), start);
}

DisplayedEntry displayEntry(const TMapTextfile& text, std::int32_t start, QStringView mark, bool looseMarks) {
    DisplayedEntry shown;
    shown.start = start;
    shown.from = start - 4;
    shown.to = entryLastByte(text, start);
    const QString decoded = decodeEntities(entryBuffer(text, shown.from, shown.to));
    shown.formatted = formatEntry(decoded, qsizetype{shown.to} - shown.from, mark, looseMarks);
    shown.page = entryPageName(text, shown.from);
    return shown;
}

} // namespace wordhoard
