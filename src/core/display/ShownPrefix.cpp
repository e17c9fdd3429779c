// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/ShownPrefix.h"

#include "display/EntryFormat.h"
#include "text/CodePage.h"
#include "text/EntityTable.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace wordhoard {

namespace {

const std::array<char16_t, 256> kWidened = [] {
    std::array<char16_t, 256> units{};
    for (std::size_t b = 0; b < units.size(); ++b) units[b] = widenByte(static_cast<unsigned char>(b));
    return units;
}();

bool isTagLetter(char16_t unit, char16_t lower) {
    return unit == lower || unit == lower - (u'a' - u'A');
}

// The opening tags of one kind not yet matched, first in first out (each opening tag takes the
// first closing tag after it), by where they stood in the output.
struct TagKind {
    std::uint8_t style;
    std::vector<qsizetype> opens;
    std::size_t matched = 0;
    qsizetype lastClose = 0; // the output position of the last closing tag matched

    bool pending() const { return matched < opens.size(); }
    qsizetype firstPending(qsizetype none) const { return pending() ? opens[matched] : none; }
};

// The entry's bytes read as decodeEntityBytes reads them, one decoded unit at a time: a token runs
// from an '&' to the first ';' after it; one that names an entity is one unit, any other stays as
// written, and an '&' inside it starts nothing. An '&' with no ';' after it keeps the rest.
class Decoder {
public:
    explicit Decoder(QByteArrayView bytes) : m_b(bytes) {}

    struct Unit {
        char16_t ch = 0;
        qsizetype next = 0;       // the byte after it
        qsizetype plainUntil = 0; // before this byte an '&' starts no token
    };

    // The unit at byte i (< size), read with '&'s before `plainUntil` starting no token.
    Unit at(qsizetype i, qsizetype plainUntil) const {
        if (m_b[i] != '&' || i < plainUntil) {
            return {kWidened[static_cast<unsigned char>(m_b[i])], i + 1, plainUntil};
        }
        const qsizetype semi = m_b.indexOf(';', i + 1);
        if (semi < 0) return {u'&', i + 1, m_b.size()};
        if (const auto ch =
                entityCharacter(std::string_view(m_b.data() + i, static_cast<std::size_t>(semi + 1 - i)))) {
            return {*ch, semi + 1, plainUntil};
        }
        return {u'&', i + 1, semi + 1};
    }

    // The unit after `u`, or a NUL unit at the end.
    Unit after(const Unit& u) const {
        return u.next < m_b.size() ? at(u.next, u.plainUntil) : Unit{0, u.next, u.plainUntil};
    }

private:
    QByteArrayView m_b;
};

} // namespace

std::optional<ShownPrefix> shownPrefix(QByteArrayView entry, qsizetype limit,
                                       std::span<const qsizetype> stops) {
    const qsizetype size = entry.size();
    limit = std::clamp<qsizetype>(limit, 0, size);
    const Decoder decoder(entry);
    ShownPrefix shown;
    // Every unit takes at least one byte, and no unit begins at or after the limit.
    shown.text.resize(limit);
    shown.styles.resize(static_cast<std::size_t>(shown.text.size()));
    shown.stops.assign(stops.size(), -1);
    auto* out = reinterpret_cast<char16_t*>(shown.text.data());
    const auto* bytes = reinterpret_cast<const unsigned char*>(entry.data());

    qsizetype o = 0;
    TagKind bold{kStyleBold, {}};
    TagKind italic{kStyleItalic, {}};
    std::uint8_t style = kStylePlain;
    const auto restyle = [&] {
        style = static_cast<std::uint8_t>((bold.pending() ? kStyleBold : 0) |
                                          (italic.pending() ? kStyleItalic : 0));
    };
    const auto put = [&](char16_t ch) {
        out[o] = ch;
        shown.styles[static_cast<std::size_t>(o++)] = style;
    };

    qsizetype i = 0;
    qsizetype plainUntil = 0;
    std::size_t stop = 0;
    while (i < limit) {
        while (stop < stops.size() && stops[stop] <= i) shown.stops[stop++] = o;
        // The bytes up to the next '&', '<' or stop are one unit each.
        const qsizetype runEnd = stop < stops.size() ? std::min(limit, stops[stop]) : limit;
        while (i < runEnd && bytes[i] != '&' && bytes[i] != '<') put(kWidened[bytes[i++]]);
        if (i == runEnd) continue;

        const Decoder::Unit unit = decoder.at(i, plainUntil);
        i = unit.next;
        plainUntil = unit.plainUntil;
        if (unit.ch != u'<') {
            put(unit.ch);
            continue;
        }
        const Decoder::Unit u1 = decoder.after(unit);
        const Decoder::Unit u2 = decoder.after(u1);
        const Decoder::Unit u3 = decoder.after(u2);
        const bool closing = u1.ch == u'/';
        const char16_t letter = closing ? u2.ch : u1.ch;
        TagKind* kind = isTagLetter(letter, u'b') ? &bold : isTagLetter(letter, u'i') ? &italic : nullptr;
        const Decoder::Unit& last = closing ? u3 : u2;
        if (kind && last.ch == u'>') {
            if (!closing) {
                kind->opens.push_back(o);
            } else if (kind->pending()) {
                ++kind->matched;
                kind->lastClose = o;
            } else {
                // A closing tag with no opening tag before it stays as text.
                put(u'<');
                continue;
            }
            i = last.next;
            plainUntil = last.plainUntil;
            restyle();
            continue;
        }
        if (u1.ch == u'<' || u2.ch == u'<' || u3.ch == u'<') return std::nullopt;
        put(u'<');
    }
    while (stop < stops.size() && stops[stop] <= i) shown.stops[stop++] = o;
    shown.whole = i >= size;
    shown.text.truncate(o);
    shown.styles.resize(static_cast<std::size_t>(o));
    shown.settled = shown.whole ? o : std::min(bold.firstPending(o), italic.firstPending(o));
    if (shown.whole) {
        // An opening tag left unmatched at the end styles nothing: only units before the last
        // closing tag of a kind can lie in one of its ranges.
        for (const TagKind* kind : {&bold, &italic}) {
            for (qsizetype k = kind->lastClose; k < o; ++k) {
                shown.styles[static_cast<std::size_t>(k)] &= static_cast<std::uint8_t>(~kind->style);
            }
        }
    }
    return shown;
}

} // namespace wordhoard
