// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The link index over an arbitrary dictionary text must hold exactly the links found by
// formatting every entry in full and reading every marker of it; and the one-pass shown prefix
// of each entry must be the formatted entry's text.
#include "FuzzSupport.h"

#include "display/EntryDisplay.h"
#include "display/ShownPrefix.h"
#include "language/LinkIndex.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

namespace {

// Bytes below 0x80 stand for themselves but letters, higher bytes pick a token, so that markers,
// labels, headword spellings, tags and entities are cheap to reach. Letters come only in tokens:
// a tag or entity between a marker's letters ("s<b>ee") hides the marker from the index.
constexpr const char* kTokens[] = {
    "#<b>",         "</b> ",
    "<i>",          "</i>",
    "<b>",          "<B>",
    "</I>",         " = ",
    " v. ",         " cp. ",
    "; see ",       " q.v.",
    " pp. of ",     " pl. f. of ",
    " form of ",    " wk. v. ",
    " also ",       " <i>v</i>. ",
    " <i>cp</i>. ", "&a-long;r",
    "&aelig;cer",   "beran",
    "ge-beran",     "(ge)b&i-long;dan",
    "I. ",          "t&o-long;",
    "to",           "&lt;b&gt;",
    "&lt;/b&gt;",   "&lt;",
    "&amp;",        "&x",
    "\r\n",         "\r\n@wh_b0002\r\n",
    "\xB7",         "\xA0",
    "Gk.",          "AR",
};

QByteArray dictionary(QByteArrayView bytes) {
    QByteArray out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80) {
            out.append(kTokens[(b - 0x80) % std::size(kTokens)]);
        } else if (!QChar::isLetter(b)) {
            out.append(c);
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        dictionary(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    TMapTextfile text;
    if (text.OpenBytes(bytes) != 0) return 0;
    const EntryIndex index = buildEntryIndex(text);
    const LinkIndex links(text, index);
    check(reference::linksHeld(links) == reference::linksReadInFull(text, index, headwordResolver(index)),
          "the link index differs from reading every entry formatted in full");

    for (const std::int32_t start : index.offsets) {
        const QByteArrayView entry = text.bytes().sliced(start - 3, entryLastByte(text, start) - start + 4);
        if (const auto shown = shownPrefix(entry, entry.size())) {
            const FormattedEntry full = displayEntry(text, start, {}).formatted;
            check(shown->text == full.text && shown->styles == full.styles,
                  "the one-pass shown text differs from the formatted entry");
        }
    }
    return 0;
}
