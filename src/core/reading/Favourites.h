// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reading/EntryPlace.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace wordhoard {

class EntryIndex;
class TMapTextfile;

// An entry the reader marked: where it stood and its headword as the text writes it (enough to
// find it again when the text changed), its page then, when it was marked, and a one-line note.
struct Favourite {
    EntryPlace place;
    QByteArray page; // "wh_b0002"; empty when no page marker stands before the entry
    QDateTime added; // UTC
    QString note;
    // Whether the text open holds the entry, at place.start. One it lost (its headword gone)
    // is kept, and shown greyed.
    bool found = true;
    bool operator==(const Favourite&) const = default;
};

// One dictionary's favourites, in the order they were marked.
class Favourites {
public:
    const std::vector<Favourite>& list() const { return m_list; }
    std::size_t size() const { return m_list.size(); }
    bool empty() const { return m_list.empty(); }

    // The favourite that stands for the entry starting at `start` in the text open.
    std::optional<std::size_t> find(std::int32_t start) const;
    // Marks the entry starting at `start` in `text` (indexed as `index`), or unmarks it when it
    // is marked already; true when it is marked now. Where no entry starts, nothing is marked.
    bool toggle(const TMapTextfile& text, const EntryIndex& index, std::int32_t start, const QDateTime& now);
    void remove(std::size_t at);
    // A note is one line: "see also\r\nþing" gives "see also þing".
    void setNote(std::size_t at, const QString& note);
    // Finds every favourite again in a text, as EntryFinder finds places: one whose start still
    // holds its headword stays; one whose headword moved goes with it, and takes its new page;
    // one whose headword is gone stays in the list, not found, with the page it had.
    void check(const TMapTextfile& text, const EntryFinder& finder);

    // As the settings keep them: one favourite a line, its fields split by tabs: start,
    // headword, page, date added (ISO 8601, UTC), note, each but the numbers percent-encoded
    // (the note as UTF-8), so that no field can hold a tab or a line break:
    //   "40\tcyning\twh_b0002\t2024-05-01T10:00:00Z\tsee%20also"
    QString encode() const;
    // Lines it can't read are left out and counted in `skipped`.
    static Favourites decode(QStringView encoded, int* skipped = nullptr);

    // For the reader to take elsewhere, headwords decoded. Plain text, one a line:
    //   "cyning (wh_b0002, 2024-05-01): see also"      (no note: "cyning (wh_b0002, 2024-05-01)")
    // the date in local time. CSV (RFC 4180, CR LF), with a header line:
    //   "Headword,Page,Added,Note" then "cyning,wh_b0002,2024-05-01T10:00:00Z,see also"
    QString toPlainText() const;
    QString toCsv() const;

private:
    std::vector<Favourite> m_list;
};

} // namespace wordhoard
