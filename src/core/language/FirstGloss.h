// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace wordhoard {

class TMapTextfile;

// An entry's first sense, as a one-line gloss: what follows the headword and its grammatical
// labels (EntryHead.h), past a parenthesised or bracketed aside standing right after them and
// the sense's own number ("1.", "I.", "(1)"), up to the first ';' or ':' (or the end of the
// entry's first line), trimmed of spaces and a trailing comma or full stop.
//   "#<b>&a-long;c</b> <i>f.</i> (<i>gen.</i> &aelig;c) an oak; the rune" gives "an oak"
//   "#<b>ac</b> <i>conj.</i> but, and yet; in questions" gives "but, and yet"
//   "#<b>&aelig;cras</b> v. &aelig;cer" gives "v. æcer"
QString firstGloss(const TMapTextfile& text, std::int32_t start);

// The same over an entry's head text (entryHeadText).
QString firstGlossOf(QStringView head);

} // namespace wordhoard
