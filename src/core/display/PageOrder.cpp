// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/PageOrder.h"

#include "text/EntryIndex.h"

namespace wordhoard {

PageOrder::PageOrder(QByteArrayView text) {
    for (qsizetype marker = text.indexOf('@'); marker >= 0; marker = text.indexOf('@', marker + 1)) {
        const QByteArray name = pageNameAt(text, marker).toByteArray();
        if (!name.isEmpty() && !m_position.contains(name)) {
            m_position.insert(name, size());
            m_pages.push_back(name);
        }
    }
}

std::optional<QByteArray> PageOrder::next(QByteArrayView page) const {
    const auto found = m_position.constFind(page.toByteArray());
    const qsizetype i = found == m_position.cend() ? 0 : *found + 1;
    if (i >= size()) return std::nullopt;
    return at(i);
}

std::optional<QByteArray> PageOrder::previous(QByteArrayView page) const {
    const auto found = m_position.constFind(page.toByteArray());
    if (found == m_position.cend() || *found == 0) return std::nullopt;
    return at(*found - 1);
}

} // namespace wordhoard
