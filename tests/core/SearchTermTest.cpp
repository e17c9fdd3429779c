// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/EntityDecoding.h"
#include "text/EntityTable.h"
#include "QtPrinters.h"
#include "search/SearchTerm.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using namespace wordhoard;

namespace {


// The characters that have an entity name, written out independently of the table.
std::set<char16_t> expectedEncodedCharacters() {
    const std::vector<std::pair<char16_t, char16_t>> ranges = {
        {0x22, 0x22},     {0x3C, 0x3C},     {0x3E, 0x3E},     {0x7E, 0x7E},     {0xA7, 0xA7},
        {0xAB, 0xAB},     {0xB6, 0xB6},     {0xBB, 0xBB},     {0xC0, 0xD6},     {0xD8, 0xF6},
        {0xF8, 0x103},    {0x105, 0x105},   {0x107, 0x107},   {0x10D, 0x10D},   {0x111, 0x113},
        {0x115, 0x115},   {0x117, 0x117},   {0x119, 0x119},   {0x11B, 0x11B},   {0x11D, 0x11D},
        {0x129, 0x12B},   {0x12D, 0x12D},   {0x12F, 0x12F},   {0x137, 0x137},   {0x142, 0x142},
        {0x144, 0x144},   {0x14C, 0x14D},   {0x14F, 0x14F},   {0x152, 0x153},   {0x159, 0x159},
        {0x15B, 0x15B},   {0x161, 0x161},   {0x169, 0x16B},   {0x16D, 0x16D},   {0x16F, 0x16F},
        {0x175, 0x175},   {0x177, 0x177},   {0x17E, 0x180},   {0x195, 0x195},   {0x1BF, 0x1BF},
        {0x1CE, 0x1CE},   {0x1D4, 0x1D4},   {0x1E3, 0x1E3},   {0x1EA, 0x1EB},   {0x1F0, 0x1F0},
        {0x1F5, 0x1F5},   {0x1FC, 0x1FD},   {0x21C, 0x21D},   {0x225, 0x225},   {0x227, 0x227},
        {0x232, 0x233},   {0x259, 0x259},   {0x280, 0x280},   {0x391, 0x3A1},   {0x3A3, 0x3A9},
        {0x3B1, 0x3CA},   {0x559, 0x559},   {0x1E0D, 0x1E0D}, {0x1E25, 0x1E25}, {0x1E37, 0x1E37},
        {0x1E41, 0x1E41}, {0x1E43, 0x1E43}, {0x1E45, 0x1E45}, {0x1E47, 0x1E47}, {0x1E59, 0x1E59},
        {0x1E5B, 0x1E5B}, {0x1E63, 0x1E63}, {0x1E6D, 0x1E6D}, {0x1E7F, 0x1E7F}, {0x1EA1, 0x1EA1},
        {0x1EA5, 0x1EA5}, {0x1EB9, 0x1EB9}, {0x1EBD, 0x1EBD}, {0x1EF9, 0x1EF9}, {0x1F00, 0x1F01},
        {0x1F04, 0x1F04}, {0x1F08, 0x1F09}, {0x1F10, 0x1F11}, {0x1F14, 0x1F15}, {0x1F20, 0x1F20},
        {0x1F24, 0x1F27}, {0x1F30, 0x1F31}, {0x1F34, 0x1F37}, {0x1F40, 0x1F41}, {0x1F44, 0x1F45},
        {0x1F50, 0x1F51}, {0x1F54, 0x1F56}, {0x1F60, 0x1F60}, {0x1F64, 0x1F67}, {0x1F71, 0x1F71},
        {0x1F73, 0x1F75}, {0x1F77, 0x1F79}, {0x1F7B, 0x1F7B}, {0x1F7D, 0x1F7D}, {0x1FB1, 0x1FB1},
        {0x1FB6, 0x1FB6}, {0x1FC3, 0x1FC3}, {0x1FC6, 0x1FC6}, {0x1FD1, 0x1FD1}, {0x1FD3, 0x1FD3},
        {0x1FD6, 0x1FD6}, {0x1FE1, 0x1FE1}, {0x1FE3, 0x1FE3}, {0x1FE5, 0x1FE6}, {0x1FF3, 0x1FF3},
        {0x1FF6, 0x1FF7}, {0x2013, 0x2014}, {0x2018, 0x2018}, {0x201A, 0x201A}, {0x2022, 0x2022},
        {0x2074, 0x2074},
    };
    std::set<char16_t> out;
    for (const auto& [from, to] : ranges) {
        for (char16_t c = from; c <= to; ++c) out.insert(c);
    }
    return out;
}

} // namespace

TEST(SearchTermEncoding, ExactlyTheListedCharactersHaveANameAndEachDecodesBack) {
    const std::set<char16_t> expected = expectedEncodedCharacters();
    EXPECT_EQ(expected.size(), 261u);
    std::size_t encoded = 0;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const auto unit = static_cast<char16_t>(c);
        const auto name = encodedEntityName(unit);
        ASSERT_EQ(name.has_value(), expected.count(unit) == 1) << "U+" << std::hex << static_cast<unsigned>(c);
        if (!name) continue;
        ++encoded;
        // The name must come back as the character, and be the first row that has it.
        const QString word = encodeEntities(QStringView(&unit, 1));
        EXPECT_EQ(decodeEntities(word), QString(QChar(unit))) << *name;
        for (const EntityRow& row : EntityTable) {
            if (row.character == unit) {
                EXPECT_EQ(row.name, *name) << "U+" << std::hex << static_cast<unsigned>(c) << " is not encoded by its first row";
                break;
            }
        }
    }
    EXPECT_EQ(encoded, 261u);
}

TEST(SearchTermEncoding, SampleTerms) {
    EXPECT_EQ(encodeEntities(u"\u0101"), u"&a-long;"_qs);
    EXPECT_EQ(encodeEntities(u"\u0100"), u"&A-long;"_qs);
    EXPECT_EQ(encodeEntities(u"\u00FE\u00E6t"), u"&thorn;&aelig;t"_qs);
    EXPECT_EQ(encodeEntities(u"\"<>~&"), u"&quot;&lt;&gt;&tilde;&"_qs);
    // Characters of two rows take the first row's name.
    EXPECT_EQ(encodeEntities(u"\u00E3\u1F04"), u"&atilde;&alpha-dasia-oxia;"_qs);
    EXPECT_EQ(encodeEntities(u"\u1F74\u1F30\u1FD6"), u"&eta-dasia;&iota-psili;&iota-peri;"_qs);
    // Neighbours of encoded characters that are not encoded themselves pass as they are.
    const QString plain = u(u"a \u00B0\u00D7\u00F7\u1F05\u1F21");
    EXPECT_EQ(encodeEntities(plain), plain);
    // A character outside the BMP passes as its two surrogate units.
    EXPECT_EQ(encodeEntities(u"x\U0001F600"), u(u"x\U0001F600"));
    // An appended name is never encoded a second time ('&' inside it stays '&').
    EXPECT_EQ(encodeEntities(u"&thorn;\u00FE"), u"&thorn;&thorn;"_qs);
}

TEST(SearchTermEncoding, WildcardExpansion) {
    const SearchPatterns hwaet = encodeSearchTerm(u"hw\u00E6t?");
    EXPECT_EQ(hwaet.entityWildcard, u"hw&aelig;t&.*;"_qs);
    EXPECT_EQ(hwaet.letterWildcard, u"hw&aelig;t."_qs);
    EXPECT_TRUE(hwaet.needsSecondPass());

    const SearchPatterns alone = encodeSearchTerm(u"?");
    EXPECT_EQ(alone.entityWildcard, u"&.*;"_qs);
    EXPECT_EQ(alone.letterWildcard, u"."_qs);

    const SearchPatterns twice = encodeSearchTerm(u"?\u0101?");
    EXPECT_EQ(twice.entityWildcard, u"&.*;&a-long;&.*;"_qs);
    EXPECT_EQ(twice.letterWildcard, u".&a-long;."_qs);

    for (const char16_t* term : {u"", u"a.b*", u"\u0101", u"se cyning", u"(a+)+b"}) {
        const SearchPatterns p = encodeSearchTerm(term);
        EXPECT_EQ(p.entityWildcard, p.letterWildcard);
        EXPECT_FALSE(p.needsSecondPass());
        EXPECT_EQ(p.entityWildcard, encodeEntities(term));
    }
    EXPECT_EQ(encodeSearchTerm(u"a.b*").entityWildcard, u"a.b*"_qs);
}
