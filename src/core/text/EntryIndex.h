// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace wordhoard {

class TMapTextfile;

// Where each entry starts and what its headword says, in file order.
//
// An entry begins with '#'; its headword starts 4 bytes later (the three bytes after '#' are
// skipped) and ends at the first '<'. The next '#' is looked for from that '<', so a '#' in the
// skipped bytes or inside a headword is not an entry of its own. A '#' with no '<' after it has
// a headword that runs to the end of the file.
//   "#<b>ab</b> x#<b>cd</b> y"  gives starts 4, 16 and headwords "ab", "cd".
class EntryIndex {
public:
    // Element i is the start of entry i: the offset of its '#' plus 4.
    std::vector<std::int32_t> offsets;

    qsizetype size() const { return static_cast<qsizetype>(offsets.size()); }
    bool empty() const { return offsets.empty(); }
    // Headword i, entities decoded. The index keeps the headwords as the text writes them and
    // decodes one on each call: start-up indexes 60,000 entries, the list shows a few dozen.
    QString headword(qsizetype i) const;
    // Headword i as the text writes it.
    QByteArrayView raw(qsizetype i) const;

    // The bytes of all raw headwords together.
    qsizetype rawSize() const { return m_raw.size(); }
    void reserve(qsizetype entries, qsizetype rawBytes);
    void append(std::int32_t start, QByteArrayView rawHeadword);
    // Adds the entries of `other` from its entry `first` on.
    void append(const EntryIndex& other, qsizetype first);

private:
    // All raw headwords back to back; headword i ends where m_ends[i] says.
    QByteArray m_raw;
    std::vector<qsizetype> m_ends;
};

// Builds an index from the text handed over in consecutive pieces of any size, so that a file
// can be indexed while it is read; a headword may straddle pieces.
class EntryIndexBuilder {
public:
    EntryIndexBuilder() = default;
    // For a stretch of text that begins `offset` bytes into the file, read as if no entry were
    // open there.
    explicit EntryIndexBuilder(qint64 offset) : m_fed(offset) {}

    // The next bytes of the text.
    void feed(QByteArrayView piece);
    // Feeds only what it takes to close the open entry: up to the '<' that ends its headword
    // (the '<' itself stays unread). Returns how many bytes that was: all of them when the entry
    // is still open, none when no entry was open.
    qsizetype feedUntilSeeking(QByteArrayView piece);
    // No entry open: the next '#' starts one.
    bool seeking() const { return m_state == State::Seeking; }
    // Whether the builder was looking for a '#' (no entry open) when it stood at offset `at`.
    bool wasSeekingAt(qint64 at) const;
    // Takes over the entries of `part` whose '#' stands at `from` or later, and where it stopped.
    // Right when this builder stands at `from` with no entry open and wasSeekingAt(from) holds
    // for the part.
    void absorb(EntryIndexBuilder&& part, qint64 from);
    // The entries finished so far.
    const EntryIndex& entries() const { return m_index; }
    void reserve(qsizetype entries, qsizetype rawBytes) { m_index.reserve(entries, rawBytes); }
    // The index of everything fed; the builder starts afresh afterwards.
    EntryIndex finish();

private:
    qsizetype consume(QByteArrayView piece, bool untilSeeking);

    enum class State { Seeking, Skipping, InHeadword };
    EntryIndex m_index;
    qint64 m_fed = 0; // bytes fed before the current piece
    State m_state = State::Seeking;
    int m_skip = 0;           // bytes still to skip after the '#'
    std::int32_t m_start = 0; // the start of the entry being read
    QByteArray m_partial;     // its headword's bytes from earlier pieces
};

// A stretch [begin, end) of the text indexed on its own, as if no entry were open at begin.
struct IndexedPart {
    qint64 begin = 0;
    qint64 end = 0;
    EntryIndexBuilder builder; // fed the stretch, not finished
};

// Joins parts that cover `text` one after the other into the index of the whole, as one
// builder reading it all gives. Where a part began inside an entry left open by the part before,
// its first entries may be wrong (a '#' in a headword looks like an entry): such a part is read
// again from `text`; in a dictionary, whose '#'s all start entries, that never happens.
EntryIndex joinParts(std::vector<IndexedPart>& parts, QByteArrayView text);

// Builds the index over the whole text (empty when the text is closed or holds no '#').
EntryIndex buildEntryIndex(const TMapTextfile& text);

// The raw headword bytes of the entry starting at `start`: up to the first '<' or the end.
QByteArrayView rawHeadword(const TMapTextfile& text, std::int32_t start);

// The offset of the entry's last byte: the byte before the next '#' after start, or the last
// byte of the file.
std::int32_t entryLastByte(const TMapTextfile& text, std::int32_t start);

// A page marker is an '@' and names the page of the entries after it by the 8 bytes that follow
// it, fewer where the text ends within them: "@wh_b0001#..." names wh_b0001.
inline constexpr qsizetype kPageNameLength = 8;
// The name of the marker at text[marker].
QByteArrayView pageNameAt(QByteArrayView text, qsizetype marker);

// The page name of the entry whose '#' is at `hashOffset`: that of the last '@' before it. Empty
// when no '@' stands before the entry.
QByteArray pageNameBefore(const TMapTextfile& text, std::int32_t hashOffset);

} // namespace wordhoard
