// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aids/HitListDelegate.h"

#include "aids/Theme.h"
#include "window/ListModels.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>

namespace wordhoard {

namespace {

// Draws `text` at the left of `row` and returns the x where it ends.
int drawRun(QPainter* painter, const QRect& row, int x, const QString& text) {
    if (text.isEmpty()) return x;
    const QRect room(x, row.top(), std::max(0, row.right() - x + 1), row.height());
    painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    return x + painter->fontMetrics().horizontalAdvance(text);
}

// The end of `lead` that fits in `width`, after "…"; a word cut in two is left out where a
// space comes after it: "…ut, br" gives "…br".
QString fitLead(const QFontMetrics& metrics, const QString& lead, int width) {
    if (metrics.horizontalAdvance(lead) <= width) return lead;
    QString tail = metrics.elidedText(lead, Qt::ElideLeft, width);
    const qsizetype space = tail.indexOf(u' ', 1);
    if (space > 0) tail = QChar(0x2026) + tail.sliced(space + 1);
    return tail;
}

} // namespace

void HitListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString headword = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget); // background, selection, focus

    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                              : QPalette::Inactive;
    const QColor ink = opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect inner = opt.rect.adjusted(margin, 0, -margin, 0);
    const int half = inner.height() / 2;
    const QRect first(inner.left(), inner.top(), inner.width(), half);
    const QRect second(inner.left(), inner.top() + half, inner.width(), inner.height() - half);

    QFont bold = opt.font;
    bold.setBold(true);
    painter->save();
    painter->setClipRect(opt.rect);
    painter->setFont(bold); // as the text pane sets headwords, and so that each hit stands out
    painter->setPen(ink);
    int x = drawRun(painter, first, first.left(), headword);

    const QString page = index.data(HitListModel::PageRole).toString();
    if (!page.isEmpty()) {
        QFont small = opt.font;
        small.setPixelSize(std::max(9, QFontInfo(opt.font).pixelSize() * 4 / 5));
        painter->setFont(small);
        painter->setPen(selected ? ink : opt.palette.color(group, QPalette::PlaceholderText));
        drawRun(painter, first, x + painter->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 2, page);
    }

    const QString snippet = index.data(HitListModel::SnippetRole).toString();
    const auto pos = std::clamp<qsizetype>(index.data(HitListModel::MatchPosRole).toInt(), 0, snippet.size());
    const auto len =
        std::clamp<qsizetype>(index.data(HitListModel::MatchLengthRole).toInt(), 0, snippet.size() - pos);
    painter->setFont(opt.font);
    painter->setPen(ink);
    const auto* view = qobject_cast<const QAbstractItemView*>(widget);
    const int visible = std::min(inner.width(), view ? view->viewport()->width() : inner.width());
    const QString lead = fitLead(painter->fontMetrics(), snippet.first(pos), std::max(visible * 2 / 5, 1));
    x = drawRun(painter, second, second.left(), lead);
    bold.setUnderline(selected); // red on the selection colour reads badly: underline instead
    painter->setFont(bold);
    painter->setPen(selected ? ink : markColour(opt.palette)); // the text pane's colour for marks
    x = drawRun(painter, second, x, snippet.sliced(pos, len));
    painter->setFont(opt.font);
    painter->setPen(ink);
    drawRun(painter, second, x, snippet.sliced(pos + len));
    painter->restore();
}

} // namespace wordhoard
