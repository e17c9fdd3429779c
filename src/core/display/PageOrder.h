// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

#include <optional>
#include <vector>

namespace wordhoard {

// The printed pages in the order the text's page markers give them (pageNameAt), as status panel
// 1 shows them.
// A page marked again later keeps its first place:
//   "@wh_b0001 #a @wh_b0002 #b @wh_b0001 #c"  gives wh_b0001, wh_b0002
class PageOrder {
public:
    PageOrder() = default;
    explicit PageOrder(QByteArrayView text);

    qsizetype size() const { return static_cast<qsizetype>(m_pages.size()); }
    const QByteArray& at(qsizetype i) const { return m_pages[static_cast<std::size_t>(i)]; }

    // The page after `page`; nothing after the last one. A name the text never marks (the
    // default first page of a text that has no such page) is followed by the first page.
    std::optional<QByteArray> next(QByteArrayView page) const;
    // The page before `page`; nothing before the first one or for a name the text never marks.
    std::optional<QByteArray> previous(QByteArrayView page) const;

private:
    std::vector<QByteArray> m_pages;
    QHash<QByteArray, qsizetype> m_position;
};

} // namespace wordhoard
