#include "display/PageOrder.h"

#include <cstring>

namespace wordhoard {

namespace {
constexpr qsizetype kPageNameLength = 8;
} // namespace

PageOrder::PageOrder(QByteArrayView text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* at = begin; at < end;) {
        const auto* marker = static_cast<const char*>(std::memchr(at, '@', static_cast<std::size_t>(end - at)));
        if (!marker) break;
        const qsizetype length = std::min<qsizetype>(kPageNameLength, end - marker - 1);
        const QByteArray name(marker + 1, length);
        if (!name.isEmpty() && !m_position.contains(name)) {
            m_position.insert(name, size());
            m_pages.push_back(name);
        }
        at = marker + 1;
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
