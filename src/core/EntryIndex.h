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

    void clear();
    void append(std::int32_t start, QByteArrayView rawHeadword);

private:
    // All raw headwords back to back; headword i ends where m_ends[i] says.
    QByteArray m_raw;
    std::vector<qsizetype> m_ends;
};

// Builds an index from the text handed over in consecutive pieces of any size, so that a file
// can be indexed while it is read; a headword may straddle pieces.
class EntryIndexBuilder {
public:
    // The next bytes of the text.
    void feed(QByteArrayView piece);
    // The index of everything fed; the builder starts afresh afterwards.
    EntryIndex finish();

private:
    enum class State { Seeking, Skipping, InHeadword };
    EntryIndex m_index;
    qint64 m_fed = 0; // bytes fed before the current piece
    State m_state = State::Seeking;
    int m_skip = 0;           // bytes still to skip after the '#'
    std::int32_t m_start = 0; // the start of the entry being read
    QByteArray m_partial;     // its headword's bytes from earlier pieces
};

// Builds the index over the whole text (empty when the text is closed or holds no '#').
EntryIndex buildEntryIndex(const TMapTextfile& text);

// The raw headword bytes of the entry starting at `start`: up to the first '<' or the end.
QByteArrayView rawHeadword(const TMapTextfile& text, std::int32_t start);

// The offset of the entry's last byte: the byte before the next '#' after start, or the last
// byte of the file.
std::int32_t entryLastByte(const TMapTextfile& text, std::int32_t start);

// The page name of the entry whose '#' is at `hashOffset`: the 8 bytes after the last '@' before
// it. Empty when no '@' stands before the entry; shorter when the file ends within the 8 bytes.
QByteArray pageNameBefore(const TMapTextfile& text, std::int32_t hashOffset);

} // namespace wordhoard
