// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ListBox.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace wordhoard {

namespace {

// At the design font (14 pixels) a line is 21 pixels high; a smaller font keeps that proportion.
constexpr int kItemHeight = 21;
constexpr int kDesignFontPixels = 14;
constexpr int kScrollWidth = 400; // the horizontal extent a reader can scroll to

class FixedLineDelegate : public QStyledItemDelegate {
public:
    FixedLineDelegate(QObject* parent, QSize size) : QStyledItemDelegate(parent), m_size(size) {}
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return m_size; }

private:
    QSize m_size;
};

} // namespace

QStyledItemDelegate* fixedLineDelegate(QObject* parent, int height, int width) {
    return new FixedLineDelegate(parent, QSize(width, height));
}

ListBox::ListBox(QWidget* parent) : QTableView(parent) {
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    fitRowsToFont();
    // The one column is as wide as the view, and never narrower than the extent a reader can
    // scroll to.
    QHeaderView* columns = horizontalHeader();
    columns->hide();
    columns->setMinimumSectionSize(kScrollWidth);
    columns->setStretchLastSection(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void ListBox::setLinesPerRow(int lines) {
    m_linesPerRow = std::max(lines, 1);
    fitRowsToFont();
}

void ListBox::fitRowsToFont() {
    const int pixels = std::min(QFontInfo(font()).pixelSize(), kDesignFontPixels);
    const int designed = (kItemHeight * pixels + kDesignFontPixels - 1) / kDesignFontPixels;
    const int height = m_linesPerRow * std::max(designed, QFontMetrics(font()).lineSpacing());
    if (height == m_rowHeight) return;
    const bool growing = height > m_rowHeight;
    m_rowHeight = height;
    QHeaderView* rows = verticalHeader();
    {
        // The header tells the table of every line it resizes, one signal each: a second for
        // 60,000 headwords. Resized quietly, the table is laid out once below. The minimum moves
        // on the side that leaves no line below it, which would be resized one by one.
        const QSignalBlocker quiet(rows);
        if (growing) rows->setDefaultSectionSize(height);
        rows->setMinimumSectionSize(height);
        if (!growing) rows->setDefaultSectionSize(height);
    }
    updateGeometries();
    viewport()->update();
}

void ListBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) fitRowsToFont();
    QTableView::changeEvent(event);
}

int ListBox::selectedRow() const {
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList{};
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::selectRow(int row) {
    if (!model() || !selectionModel()) return;
    if (row < 0 || row >= model()->rowCount()) {
        // No current line either, so that the view's Ctrl+C copies nothing.
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void ListBox::scrollRowToTop(int row) {
    if (!model() || row < 0 || row >= model()->rowCount()) return;
    scrollTo(model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

QModelIndex ListBox::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

template <typename Base> void ListBox::watch(Base&& base) {
    const int before = selectedRow();
    base();
    if (selectedRow() != before) emit userSelected();
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    const int before = selectedRow();
    QTableView::mousePressEvent(event);
    // A click on a line shows it, also when it was selected already.
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (selectedRow() != before || (hit.isValid() && event->button() == Qt::LeftButton)) emit userSelected();
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
    watch([&] { QTableView::mouseMoveEvent(event); });
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    watch([&] { QTableView::keyPressEvent(event); });
}

} // namespace wordhoard
