#include "ListModels.h"

#include "EntryIndex.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

namespace wordhoard {

void HeadwordListModel::setSource(const EntryIndex* index) {
    beginResetModel();
    m_index = index;
    m_order.clear();
    m_sorted = false;
    endResetModel();
}

void HeadwordListModel::setSorted(bool sorted) {
    beginResetModel();
    m_sorted = sorted;
    m_order.clear();
    if (sorted && m_index) {
        const auto count = static_cast<std::size_t>(m_index->size());
        std::vector<QString> words(count);
        for (std::size_t i = 0; i < count; ++i) words[i] = m_index->headword(static_cast<qsizetype>(i));
        m_order.resize(count);
        std::iota(m_order.begin(), m_order.end(), 0);
        QCollator collator;
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            return collator.compare(words[static_cast<std::size_t>(a)], words[static_cast<std::size_t>(b)]) < 0;
        });
    }
    endResetModel();
}

QString HeadwordListModel::line(int row) const {
    if (!m_index || row < 0 || row >= rowCount()) return {};
    const int entry = m_sorted ? m_order[static_cast<std::size_t>(row)] : row;
    return m_index->headword(entry);
}

int HeadwordListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_index) return 0;
    return static_cast<int>(m_index->size());
}

QVariant HeadwordListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return line(index.row());
}

void HitListModel::clear() {
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

void HitListModel::append(const QStringList& lines) {
    if (lines.isEmpty()) return;
    const auto first = static_cast<int>(m_lines.size());
    beginInsertRows({}, first, first + static_cast<int>(lines.size()) - 1);
    m_lines.append(lines);
    endInsertRows();
}

int HitListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant HitListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return m_lines.value(index.row());
}

} // namespace wordhoard
