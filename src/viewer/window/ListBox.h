// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTableView>

class QStyledItemDelegate;

namespace wordhoard {

// Lines of a fixed height (and width, the extent a reader can scroll to), as the lists and the
// palette's drop-down use.
QStyledItemDelegate* fixedLineDelegate(QObject* parent, int height, int width);

// A list of uniform rows that tells a selection made by the reader (mouse or keyboard inside the
// list) apart from one made by code: only the first raises userSelected().
//
// A row is one line of the list's font high (or several, see setLinesPerRow): at the design font
// (Cardo, 14 pixels, 21 pixels apart) every row is 21 pixels; a smaller font keeps that
// proportion (a 7-pixel font gives 11-pixel rows), and no row is ever lower than its font's own
// line spacing, so that no line is clipped and a larger font makes taller rows.
//
// It is a one-column table without headers or grid: a table places its rows by arithmetic,
// where a list view lays out every line when it is shown (a millisecond and a half for 60,000
// headwords, paid at start-up).
class ListBox : public QTableView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int selectedRow() const; // -1 when no line is selected
    // Selects `row` from code: no userSelected(). -1 clears the selection. (Hides the table's
    // own selectRow, which ignores -1.)
    void selectRow(int row);
    // Makes `row` the top line.
    void scrollRowToTop(int row);

    void setLinesPerRow(int lines);
    int linesPerRow() const { return m_linesPerRow; }
    int uniformRowHeight() const { return m_rowHeight; }

signals:
    void userSelected();

protected:
    void changeEvent(QEvent* event) override;
    // Home and End go to the first and last line, as in any list (a table keeps the row).
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    template <typename Base> void watch(Base&& base);
    void fitRowsToFont();

    int m_linesPerRow = 1;
    int m_rowHeight = 0;
};

} // namespace wordhoard
