// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/SearchTerm.h"

#include "text/EntityTable.h"

#include <algorithm>
#include <array>
#include <utility>

namespace wordhoard {

namespace {

struct EncodingEntry {
    char16_t character;
    std::string_view name;
};

// 261 characters sorted by code unit for a binary search; built once from the table so the two
// directions can never disagree.
class EncodingMap {
public:
    EncodingMap() {
        for (const EntityRow& row : EntityTable) {
            if (row.character == u'&') continue;
            const bool seen = std::any_of(m_entries.begin(), m_entries.begin() + static_cast<std::ptrdiff_t>(m_size),
                                          [&](const EncodingEntry& e) { return e.character == row.character; });
            if (!seen) m_entries[m_size++] = {row.character, row.name};
        }
        std::sort(m_entries.begin(), m_entries.begin() + static_cast<std::ptrdiff_t>(m_size),
                  [](const EncodingEntry& a, const EncodingEntry& b) { return a.character < b.character; });
    }

    std::optional<std::string_view> find(char16_t unit) const {
        const auto end = m_entries.begin() + static_cast<std::ptrdiff_t>(m_size);
        const auto it = std::lower_bound(m_entries.begin(), end, unit,
                                         [](const EncodingEntry& e, char16_t u) { return e.character < u; });
        if (it == end || it->character != unit) return std::nullopt;
        return it->name;
    }

private:
    std::array<EncodingEntry, kEntityCount> m_entries{};
    std::size_t m_size = 0;
};

const EncodingMap& encodingMap() {
    static const EncodingMap map;
    return map;
}

void appendAscii(QString& out, std::string_view name) {
    out.append(QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
}

} // namespace

std::optional<std::string_view> encodedEntityName(char16_t unit) {
    // Every encoded character is '"', '<', '>', '~' or above U+00A0: plain ASCII goes straight through.
    if (unit < 0x80 && unit != u'"' && unit != u'<' && unit != u'>' && unit != u'~') return std::nullopt;
    return encodingMap().find(unit);
}

QString encodeEntities(QStringView term) {
    QString out;
    out.reserve(term.size());
    for (const QChar ch : term) {
        if (const auto name = encodedEntityName(ch.unicode())) {
            appendAscii(out, *name);
        } else {
            out.append(ch);
        }
    }
    return out;
}

SearchPatterns encodeSearchTerm(QStringView term) {
    const QString encoded = encodeEntities(term);
    SearchPatterns patterns;
    patterns.entityWildcard.reserve(encoded.size());
    patterns.letterWildcard.reserve(encoded.size());
    for (const QChar ch : encoded) {
        if (ch == u'?') {
            patterns.entityWildcard.append(u"&.*;");
            patterns.letterWildcard.append(u'.');
        } else {
            patterns.entityWildcard.append(ch);
            patterns.letterWildcard.append(ch);
        }
    }
    return patterns;
}

} // namespace wordhoard
