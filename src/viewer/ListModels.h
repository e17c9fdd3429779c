#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <vector>

namespace wordhoard {

class EntryIndex;

// The word list: line i shows headword i of the entry index, decoded when it is asked for.
class HeadwordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit HeadwordListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // Shows `index` (kept by reference; set it again after rebuilding it).
    void setSource(const EntryIndex* index);
    // Sorted: lines in the user's locale order; unsorted: file order.
    void setSorted(bool sorted);
    bool sorted() const { return m_sorted; }
    QString line(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const EntryIndex* m_index = nullptr;
    bool m_sorted = false;
    std::vector<int> m_order; // line -> entry when sorted
};

// The search hit list: decoded headwords appended pass by pass.
class HitListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit HitListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void clear();
    void append(const QStringList& lines);
    QString line(int row) const { return m_lines.value(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QStringList m_lines;
};

} // namespace wordhoard
