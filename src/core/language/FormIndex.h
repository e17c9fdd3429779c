#pragma once

#include "language/EntryHead.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace wordhoard {

class EntryIndex;
class TMapTextfile;

// A headword of the open dictionary that a typed word may be a form of.
struct FormCandidate {
    qsizetype line = 0;     // in the entry index
    std::int32_t start = 0; // the entry's start (its '#' + 4)
    QString headword;       // decoded: "cyning"
    QString analysis;       // "gen. sg., strong masc."; "headword" for the word itself
    int cost = 0;           // lower is better
};

// The dictionary's headwords, keyed for form analysis. Made once per text from the text and its
// entry index; making it reads both and touches nothing else, so it may run on any thread, and
// candidates() only reads, so several threads may ask at once. The text and the index must
// outlive it.
//
// An entry's labels (its word class, or the headword a reference entry names: "æcras v. æcer")
// are read when a word's readings reach the entry: a few entries a word, where reading all of them
// up front would double the time the index takes to make.
class FormIndex {
  public:
    FormIndex() = default;
    FormIndex(const TMapTextfile& text, const EntryIndex& index);

    // The headwords `word` may be a form of, best first: the word itself where it is a headword
    // (the headword a reference entry names before that entry), then the readings of the rules
    // (FormRules.h) whose headword the dictionary holds, by fewest changes and by how well the
    // reading fits the headword's labels. Empty when none fits.
    //   "cyninges" gives {cyning, "gen. sg., strong masc."}
    std::vector<FormCandidate> candidates(QStringView word) const;

    // What the start of entry `line` says: its labels, and the headword it names if it only refers.
    EntryHead entryHead(qsizetype line) const;
    // The lines whose headword has the key `key` (a spellingKey), in file order.
    std::vector<std::int32_t> linesWithKey(const QString& key) const;

  private:
    const TMapTextfile* m_text = nullptr;
    const EntryIndex* m_index = nullptr;
    std::vector<std::uint64_t> m_marks; // by line: spellingMarks of the headword
    // Lines by key: a key's first node, each node's line and the next node (-1: none). Several
    // lines share a key rarely, and one vector for all keeps making the index quick.
    struct Node {
        std::int32_t line;
        std::int32_t next;
    };
    struct Keyed {
        QHash<QString, std::int32_t> first;
        std::vector<Node> nodes;
        void add(const QString& key, std::int32_t line);
        // The lines of `key` in file order (empty when none).
        void linesOf(const QString& key, std::vector<std::int32_t>& out) const;
    };
    Keyed m_exact;   // spellingKey → lines
    Keyed m_variant; // variantKey → lines
};

} // namespace wordhoard
