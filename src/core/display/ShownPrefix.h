// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace wordhoard {

// The beginning of what the text pane shows for an entry, made in one pass over its bytes: for
// reading many entries (links, page markers) where formatEntry's find-and-delete passes cost too
// much. `entry` is the pane's raw text, from the byte after the entry's '#' through its last byte.
struct ShownPrefix {
    // The first units of formatEntry(decodeEntityBytes(entry), entry.size(), {}).text, exactly.
    QString text;
    // Their styles (kStyleBold, kStyleItalic), exact before `settled`. From there on an opening
    // tag whose closing tag lies beyond the bytes read makes its units count as styled.
    std::vector<std::uint8_t> styles;
    // The text is the whole shown entry.
    bool whole = false;
    // Where the first opening tag still unmatched at the end of the bytes read stands (the text's
    // size when there is none, and always when `whole`).
    qsizetype settled = 0;
    // For each of the stops asked for, how many units of the text the bytes before it show (the
    // position of its byte's unit when that byte shows as one); -1 past the bytes read.
    std::vector<qsizetype> stops;
};

// The shown text of the entry's bytes up to `limit` (a token that begins before it, a tag or an
// entity, is read whole), and where the entry offsets `stops` (ascending) show.
//
// The pass holds whenever every '<' of the decoded text either starts one of the four tags or
// has no '<' among the three units after it: then no deletion can join units into a new tag,
// every opening tag is deleted, and a closing tag is deleted when an opening tag of its kind is
// still unmatched before it. "x <b>y</b> [< Lat." qualifies; "<<b>b>" does not.
// Nothing when the bytes read hold a '<' that does not qualify: use formatEntry then.
std::optional<ShownPrefix> shownPrefix(QByteArrayView entry, qsizetype limit,
                                       std::span<const qsizetype> stops = {});

} // namespace wordhoard
