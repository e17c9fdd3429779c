// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "search/HeadwordLookup.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"
#include "text/TextLoad.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace wordhoard {

class FormIndex;
class LinkIndex;
class LooseIndex;
class PageOrder;

// A value made once, on first use, by whichever thread asks first; a thread that asks meanwhile
// waits for it. ifMade() never waits.
template <typename T> class MadeOnce {
public:
    template <typename Make> const T& get(Make&& make) const {
        std::call_once(m_once, [&] {
            m_value = make();
            m_made.store(true, std::memory_order_release);
        });
        return *m_value;
    }
    const T* ifMade() const { return m_made.load(std::memory_order_acquire) ? m_value.get() : nullptr; }

private:
    mutable std::once_flag m_once;
    mutable std::unique_ptr<T> m_value;
    mutable std::atomic<bool> m_made{false};
};

// One dictionary text and everything derived from it: the entry index, the headword look-ups,
// the loose index, the page order, the form index and the links. The viewer and the CLI each hold
// one and replace it as a whole, so nothing derived from a text can outlive it or be paired with
// another one.
//
// What is derived on first use may be asked for on any thread (a worker may make it ahead of
// need).
class Dictionary {
public:
    // No text: no entries, every search finds nothing (a viewer whose text failed to open runs
    // on one).
    Dictionary();
    // Takes over a text loaded and indexed from `fileName`.
    Dictionary(LoadedText loaded, QString fileName);
    ~Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    // Loads and indexes `fileName`, reading it on this thread and one more.
    static std::unique_ptr<Dictionary> load(const QString& fileName);

    const QString& fileName() const { return m_fileName; }
    bool opened() const { return m_text->opened(); }
    // Why the text did not open, as the error box says it; empty when it did.
    QString openError() const;
    // The file changed on disk since it was read (or shrank under a read, which read zeros):
    // what the text says may no longer be what the index says. Reads never fault; the holder
    // replaces the dictionary by one read anew.
    bool stale() const { return m_text->changedOnDisk(); }

    const TMapTextfile& text() const { return *m_text; }
    const EntryIndex& index() const { return m_index; }

    // The entries in the user's locale order of their headwords: element k is the entry on line k.
    const std::vector<int>& sortedOrder() const;
    // The look-up over the headwords in file order, or in sortedOrder(); made on the first
    // keystroke (opening the locale's collator takes a few milliseconds).
    const HeadwordLookup& lookup(HeadwordLookup::Matching matching, bool sorted = false) const;
    // Where the text writes letters as entities and high bytes, for loose searches: made on the
    // first loose search, which indexes the letters it needs (LooseIndex).
    const LooseIndex& looseIndex() const;
    // The printed pages in marker order, made on the first page turn.
    const PageOrder& pageOrder() const;
    // The headwords keyed for form analysis ("cyninges" → cyning), made on first use (a few
    // dozen milliseconds for 60,000 entries). Making it reads only the text and the index.
    const FormIndex& forms() const;
    // The form index when it has been made; never waits (the viewer makes it on a worker).
    const FormIndex* formsIfMade() const { return m_forms.ifMade(); }
    // The cross-references and page markers of every entry, made on first use: a word names
    // the headwords of its key, or else those the form analysis takes it for (formResolver;
    // the form index is made first).
    const LinkIndex& links() const;
    // The links when they have been made; never waits (the viewer makes them on a worker).
    const LinkIndex* linksIfMade() const { return m_links.ifMade(); }

private:
    QString m_fileName;
    std::unique_ptr<TMapTextfile> m_text;
    EntryIndex m_index;
    MadeOnce<std::vector<int>> m_sortedOrder;
    MadeOnce<HeadwordLookup> m_lookups[2][2]; // by matching, by order
    MadeOnce<LooseIndex> m_looseIndex;
    MadeOnce<PageOrder> m_pageOrder;
    MadeOnce<FormIndex> m_forms;
    MadeOnce<LinkIndex> m_links;
};

} // namespace wordhoard
