#pragma once

#include "search/HeadwordLookup.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"
#include "text/TextLoad.h"

#include <QString>

#include <memory>

namespace wordhoard {

class LinkIndex;
class LooseIndex;
class PageOrder;

// One dictionary text and everything derived from it: the entry index, the headword look-ups,
// the loose index, the page order and the links. The viewer and the CLI each hold one and replace it as a
// whole, so nothing derived from a text can outlive it or be paired with another one.
//
// What is made on first use is made by the thread that asks first; a Dictionary is used by one
// thread at a time.
class Dictionary {
public:
    // No text: no entries, every search finds nothing (a viewer whose text failed to open runs
    // on one).
    Dictionary();
    // Takes over a text loaded and indexed from `fileName` (which says what failed when the text
    // did not open).
    Dictionary(LoadedText loaded, QString fileName);
    ~Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    // Loads and indexes `fileName`, reading it on this thread and one more.
    static std::unique_ptr<Dictionary> load(const QString& fileName);

    const QString& fileName() const { return m_fileName; }
    bool opened() const { return m_text->opened(); }
    // Why the text did not open, as a message: Cannot open the dictionary text "F": reason.
    QString openError() const;

    const TMapTextfile& text() const { return *m_text; }
    const EntryIndex& index() const { return m_index; }

    // The look-up over the headwords in file order, made on the first keystroke (opening the
    // locale's collator takes a few milliseconds).
    const HeadwordLookup& lookup(HeadwordLookup::Matching matching) const;
    // Where the text writes letters as entities and high bytes, for loose searches: made on the
    // first loose search (a tenth of a second for 60 MB).
    const LooseIndex& looseIndex() const;
    // The printed pages in marker order, made on the first page turn.
    const PageOrder& pageOrder() const;
    // The cross-references and page markers of every entry, made on first use (resolving words
    // by headword).
    const LinkIndex& links() const;

private:
    QString m_fileName;
    std::unique_ptr<TMapTextfile> m_text;
    EntryIndex m_index;
    mutable std::unique_ptr<HeadwordLookup> m_lookup[2]; // by Matching
    mutable std::unique_ptr<LooseIndex> m_looseIndex;
    mutable std::unique_ptr<PageOrder> m_pageOrder;
    mutable std::unique_ptr<LinkIndex> m_links;
};

} // namespace wordhoard
