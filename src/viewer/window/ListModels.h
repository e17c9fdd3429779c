// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "display/Snippet.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

namespace wordhoard {

class Dictionary;
struct SearchHit;

// The word list: line i shows headword i of the dictionary's index, decoded when it is asked for.
class HeadwordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit HeadwordListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // Shows the headwords of `dictionary`, in file order.
    void setSource(std::shared_ptr<const Dictionary> dictionary);
    // Sorted: lines in the user's locale order; unsorted: file order.
    void setSorted(bool sorted);
    bool sorted() const { return m_sorted; }
    QString line(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::shared_ptr<const Dictionary> m_dictionary;
    bool m_sorted = false;
};

// The search hit list: decoded headwords appended pass by pass. A line's text is its headword
// (what the click, the look-up and Browse read). Beside it a view may ask for the entry's page
// name and a snippet around the hit's first match (the roles below); those are made for a line
// when first asked for, which views do for the lines they paint, and kept until clear(). So a
// search with 100,000 hits makes a screenful of snippets, not 100,000.
class HitListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        SnippetRole = Qt::UserRole + 1, // QString: the snippet (Snippet::text)
        MatchPosRole,                   // int: where the match lies in it, in UTF-16 units
        MatchLengthRole,                // int
        PageRole,                       // QString: the page name, as status panel 1 shows it
    };

    explicit HitListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void clear();
    // Appends the hits of a pass over the text of `dictionary`.
    void append(std::shared_ptr<const Dictionary> dictionary, std::vector<SearchHit> hits);
    QString line(int row) const { return m_lines.value(row); }
    // How many lines have had their page name and snippet made since the last clear().
    qsizetype contextsMade() const { return m_contexts.size(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Place {
        std::int32_t start;
        std::int32_t matchOffset;
        std::int32_t matchLength;
    };
    struct Context {
        QString page;
        Snippet snippet;
    };
    const Context& context(int row) const;

    std::shared_ptr<const Dictionary> m_dictionary;
    QStringList m_lines;
    std::vector<Place> m_places; // beside m_lines, line by line
    mutable QHash<int, Context> m_contexts;
};

} // namespace wordhoard
