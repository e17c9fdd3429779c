// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Arbitrary bytes as a dictionary text: the entry index, headwords, entry ends, page names and
// the whole display of a few entries must stay inside the text and agree with each other.
#include "FuzzSupport.h"

#include "text/EntityDecoding.h"
#include "display/EntryDisplay.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMapTextfile text;
    const QByteArrayView all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (text.OpenBytes(all) != 0) {
        check(size == 0, "OpenBytes refused a non-empty text");
        return 0;
    }
    const EntryIndex index = buildEntryIndex(text);
    // Fed in pieces, as a file read in chunks is, the builder must give the same index.
    {
        EntryIndexBuilder builder;
        const std::size_t step = 1 + (size > 0 ? data[0] % 7 : 0);
        for (std::size_t at = 0; at < size; at += step) builder.feed(all.sliced(static_cast<qsizetype>(at), static_cast<qsizetype>(std::min(step, size - at))));
        const EntryIndex pieced = builder.finish();
        check(pieced.offsets == index.offsets, "pieces give other entry starts");
        for (qsizetype i = 0; i < index.size(); ++i) check(pieced.headword(i) == index.headword(i), "pieces give another headword");
    }
    // Indexed in parts and joined, as start-up does over two threads: the same index again.
    {
        const auto step = static_cast<qint64>(1 + (size > 1 ? data[1] % 13 : 0));
        std::vector<IndexedPart> parts;
        for (qint64 at = 0; at < static_cast<qint64>(size); at += step) {
            const qint64 end = std::min(static_cast<qint64>(size), at + step);
            IndexedPart part{at, end, EntryIndexBuilder(at)};
            part.builder.feed(all.sliced(at, end - at));
            parts.push_back(std::move(part));
        }
        const EntryIndex joined = joinParts(parts, all);
        check(joined.offsets == index.offsets, "joined parts give other entry starts");
        for (qsizetype i = 0; i < index.size(); ++i) check(joined.raw(i) == index.raw(i), "joined parts give another headword");
    }
    std::int32_t previous = -1;
    for (qsizetype i = 0; i < index.size(); ++i) {
        const std::int32_t start = index.offsets[static_cast<std::size_t>(i)];
        check(start > previous, "entry starts not increasing");
        check(start >= 4 && all[start - 4] == '#', "an entry start is not 4 bytes after a '#'");
        previous = start;
        const QByteArrayView raw = rawHeadword(text, start);
        check(!raw.contains('<'), "a headword holds '<'");
        check(index.headword(i) == decodeEntityBytes(raw), "stored headword differs from the decoded raw one");
        const std::int32_t last = entryLastByte(text, start);
        // "##" has its one start at 4, past the end: its entry is empty and ends at the last byte.
        check(last >= std::min(start, text.size()) - 1 && last < text.size(), "entry end outside the text");
        (void)pageNameBefore(text, start - 4);
    }
    // The whole display of the first and last few entries, marked with a fixed term.
    const qsizetype shown = std::min<qsizetype>(index.size(), 8);
    for (qsizetype k = 0; k < shown; ++k) {
        const qsizetype i = k < shown / 2 ? k : index.size() - 1 - (k - shown / 2);
        const DisplayedEntry e = displayEntry(text, index.offsets[static_cast<std::size_t>(i)], u"a");
        check(e.formatted.styles.size() == static_cast<std::size_t>(e.formatted.text.size()),
              "one style per unit");
        check(e.page.size() <= 8, "page name longer than 8");
    }
    // Offsets the window never passes must still be safe.
    for (const std::int32_t odd : {-5, 0, 1, text.size() - 1, text.size(), text.size() + 7}) {
        (void)rawHeadword(text, odd);
        (void)entryLastByte(text, odd);
        (void)pageNameBefore(text, odd);
        (void)entryBuffer(text, odd, odd + 10);
        (void)entryPageName(text, odd);
    }
    return 0;
}
