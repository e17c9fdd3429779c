// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A loose search of a term of letters over an arbitrary text must find exactly the entries whose
// folded, decoded text holds the folded term, whichever way the pass runs: on the candidates
// alone ("term"), through the regular expression ("term()") and over every entry ("(term)").
// The decoded entities, asked byte by byte, must agree with the whole mask. And a term of letters
// and syntax finds what it finds when every entry is matched.
#include "FuzzSupport.h"

#include "search/FullTextSearch.h"
#include "search/LooseSearch.h"
#include "text/MapTextfile.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

namespace {

// Letters in several spellings and cases, and a few that are no letters.
constexpr char16_t kTermUnits[] = {u'a', u'A', 0x0101, 0x00E6, 0x01E3, u'e', 0x0113, u't', u'T', 0x00FE,
                                   0x00F0, 0x00D0, u'w', 0x01BF, u'h', u'o', u'r', u'n', 0x021D, 0x03B1};

// Letters and syntax for a term with a regular expression around its letters.
const char16_t* const kSyntaxPieces[] = {u"a",    u"t",   u"\u00FE", u"\u00E6", u"(*ACCEPT)", u"(*F)", u"(*nla:",
                                         u"\\K", u"\\E", u"\\Q\\E", u"\\1",      u"(",    u")",
                                         u"*",    u"+",   u"{0}",     u"|",       u".",         u"?"};

std::vector<std::int32_t> starts(const SearchOutcome& o) {
    std::vector<std::int32_t> out;
    for (const SearchHit& h : o.hits) out.push_back(h.start);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Reader in(data, size);
    QString term;
    for (std::uint8_t k = in.byte() % 6 + 1; k > 0; --k) term += QChar(kTermUnits[in.byte() % std::size(kTermUnits)]);
    QString syntaxTerm;
    for (std::uint8_t k = in.byte() % 5 + 1; k > 0; --k) {
        syntaxTerm += QString::fromUtf16(kSyntaxPieces[in.byte() % std::size(kSyntaxPieces)]);
    }
    const QByteArrayView body = in.rest();
    TMapTextfile text;
    if (text.OpenBytes(body) != 0) return 0;

    const LooseIndex index(text);
    const auto loose = [&](const QString& t) {
        const SearchOutcome o = runFullTextSearch(text, t, {}, &index);
        check(!o.error && !o.cancelled, "a loose search of letters failed");
        return starts(o);
    };
    // A '#' among the three bytes after another makes two entries overlap: which one a hit
    // belongs to then depends on where the match lies, as in a strict search, and the entries
    // can't be read one after the other. Such texts are only searched.
    bool crowded = false;
    for (qsizetype hash = body.indexOf('#'); hash >= 0 && !crowded; hash = body.indexOf('#', hash + 1)) {
        crowded = body.sliced(hash + 1).first(std::min<qsizetype>(3, body.size() - hash - 1)).contains('#');
    }
    const std::vector<std::int32_t> expected = reference::FoldedEntries(body).holding(term);
    const std::vector<std::int32_t> found[] = {loose(term), loose(term + QStringLiteral("()")), loose(u'(' + term + u')')};
    if (!crowded) {
        check(found[0] == expected, "the loose search differs from the folded entries");
        check(found[1] == expected, "the loose expression differs from the folded entries");
        check(found[2] == expected, "the loose search of every entry differs from the folded entries");
    }

    // The runs only choose the entries matched: "(*F)|" fails at once and leaves no runs, so
    // every entry is matched by the same expression and the same hits come out.
    if (looseSearchPasses(syntaxTerm).front().expanded) {
        const SearchOutcome got = runFullTextSearch(text, syntaxTerm, {}, &index);
        const SearchOutcome all = runFullTextSearch(text, QStringLiteral("(*F)|") + syntaxTerm, {}, &index);
        if (got.error || all.error) {
            check(all.error.has_value() && got.hits.empty(), "an invalid loose term found something");
        } else {
            check(starts(got) == starts(all), "the runs of a loose term dropped a hit");
        }
    }

    std::vector<std::uint8_t> mask;
    decodedEntityMask(body, mask);
    DecodedEntities entities(body);
    for (qsizetype q = 0; q < body.size(); ++q) check(entities.at(q) == mask[static_cast<std::size_t>(q)], "decoded entities differ");
    return 0;
}
