// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ListModels.h"

#include "Dictionary.h"
#include "display/EntryDisplay.h"
#include "text/EntryIndex.h"
#include "search/FullTextSearch.h"

namespace wordhoard {

void HeadwordListModel::setSource(std::shared_ptr<const Dictionary> dictionary) {
    beginResetModel();
    m_dictionary = std::move(dictionary);
    m_sorted = false;
    endResetModel();
}

void HeadwordListModel::setSorted(bool sorted) {
    beginResetModel();
    m_sorted = sorted;
    endResetModel();
}

QString HeadwordListModel::line(int row) const {
    if (!m_dictionary || row < 0 || row >= rowCount()) return {};
    const int entry = m_sorted ? m_dictionary->sortedOrder()[static_cast<std::size_t>(row)] : row;
    return m_dictionary->index().headword(entry);
}

int HeadwordListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_dictionary) return 0;
    return static_cast<int>(m_dictionary->index().size());
}

QVariant HeadwordListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return line(index.row());
}

void HitListModel::clear() {
    beginResetModel();
    m_dictionary.reset();
    m_lines.clear();
    m_places.clear();
    m_contexts.clear();
    endResetModel();
}

void HitListModel::append(std::shared_ptr<const Dictionary> dictionary, std::vector<SearchHit> hits) {
    if (hits.empty()) return;
    m_dictionary = std::move(dictionary);
    const auto first = static_cast<int>(m_lines.size());
    beginInsertRows({}, first, first + static_cast<int>(hits.size()) - 1);
    m_lines.reserve(m_lines.size() + static_cast<qsizetype>(hits.size()));
    m_places.reserve(m_places.size() + hits.size());
    for (SearchHit& hit : hits) {
        m_lines << std::move(hit.headword);
        m_places.push_back({hit.start, hit.matchOffset, hit.matchLength});
    }
    endInsertRows();
}

const HitListModel::Context& HitListModel::context(int row) const {
    auto found = m_contexts.find(row);
    if (found == m_contexts.end()) {
        const Place& place = m_places[static_cast<std::size_t>(row)];
        Context made;
        // Nothing of a text changed on disk: the window reads it again before it shows it.
        if (m_dictionary && !m_dictionary->stale()) {
            const TMapTextfile& text = m_dictionary->text();
            made.page = entryPageName(text, place.start - 4);
            made.snippet = makeSnippet(text, place.start, place.matchOffset, place.matchLength);
        }
        found = m_contexts.insert(row, std::move(made));
    }
    return *found;
}

int HitListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant HitListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_lines.size()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_lines[index.row()];
    case Qt::ToolTipRole: // the whole snippet, where the narrow list shows a part
    case SnippetRole:
        return context(index.row()).snippet.text;
    case Qt::AccessibleTextRole: { // the row as a screen reader says it: all that the two lines show
        const Context& made = context(index.row());
        return tr("%1, page %2: %3").arg(m_lines[index.row()], made.page, made.snippet.text);
    }
    case MatchPosRole:
        return static_cast<int>(context(index.row()).snippet.matchPos);
    case MatchLengthRole:
        return static_cast<int>(context(index.row()).snippet.matchLength);
    case PageRole:
        return context(index.row()).page;
    default:
        return {};
    }
}

} // namespace wordhoard
