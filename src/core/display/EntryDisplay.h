// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "display/EntryFormat.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace wordhoard {

class EntryIndex;
class TMapTextfile;

// The steps of TMainForm::Display without widgets, each usable on its own. An entry whose start
// (headword) is at h has its '#' at from = h - 4 and its last byte at to = entryLastByte(text, h);
// the pane shows the bytes from + 1 through to, and Format is bounded by to - from.

// The raw text of the entry, one UTF-16 unit per byte from + 1 through to, widened through the
// code page; the bytes are clamped to the file, so a range past its end gives what is there.
// Line breaks keep their bytes: CR LF stays two units.
QString entryBuffer(const TMapTextfile& text, std::int32_t from, std::int32_t to);

// The page name for the entry whose '#' is at `from` (pageNameBefore), widened; empty when no
// '@' stands before the entry.
QString entryPageName(const TMapTextfile& text, std::int32_t from);

// Whether `start` is the start offset of an entry (an element of the index).
bool isEntryStart(const EntryIndex& index, std::int32_t start);

// Everything the text pane and status panel 1 show for one entry.
struct DisplayedEntry {
    std::int32_t start = 0;
    std::int32_t from = 0;
    std::int32_t to = 0;
    QString page;
    FormattedEntry formatted;
};

// Display in one call for an entry start h taken from the index: widen, decode, format with
// n = to - from and `mark` (empty: nothing marked; `looseMarks` as formatEntry takes it), and
// read the page name.
DisplayedEntry displayEntry(const TMapTextfile& text, std::int32_t start, QStringView mark,
                            bool looseMarks = false);

} // namespace wordhoard
