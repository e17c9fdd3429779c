// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStyledItemDelegate>

namespace wordhoard {

// Draws a line of the hit list as two rows of text: the headword in bold, then the page name in
// small grey letters; below, the snippet of the entry with the match bold and in the text pane's red.
// Where the part before the match is wider than 2/5 of the visible list, it is cut on the left
// ("…", as in "…gōde [wæs]"), so that the match shows without scrolling; the rest of the snippet
// runs on to the right, where the list scrolls to it. The model's tool tip gives it whole.
class HitListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace wordhoard
