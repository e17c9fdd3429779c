// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntityTable.h"
#include "QtPrinters.h"
#include "References.h"

#include <gtest/gtest.h>

#include <QSet>

#include <random>
#include <string_view>

using namespace wordhoard;
using wordhoard::reference::referenceDecode;

namespace {


} // namespace

TEST(EntityTable, InvariantsHold) {
    QSet<QByteArray> names;
    for (const EntityRow& row : EntityTable) {
        names.insert(QByteArray(row.name.data(), static_cast<qsizetype>(row.name.size())));
        EXPECT_GE(row.name.size(), 4u);
        EXPECT_LE(row.name.size(), 20u);
        EXPECT_EQ(row.name.front(), '&');
        EXPECT_EQ(row.name.back(), ';');
        EXPECT_FALSE(QChar::isSurrogate(row.character));
        EXPECT_EQ(QChar(row.character).combiningClass(), 0) << row.name;
    }
    EXPECT_EQ(names.size(), 264);
    EXPECT_EQ(EntityTable[43].name, "&atilde;");
    EXPECT_EQ(EntityTable[71].name, "&a-tilde;");
    EXPECT_EQ(EntityTable[43].character, 0x00E3);
    EXPECT_EQ(EntityTable[71].character, 0x00E3);
    EXPECT_EQ(EntityTable[202].name, "&alpha-dasia-oxia;");
    EXPECT_EQ(EntityTable[202].character, 0x1F04);
    EXPECT_EQ(EntityTable[203].character, 0x1F04);
    EXPECT_EQ(EntityTable[237].name, "&eta-dasia;");
    EXPECT_EQ(EntityTable[237].character, 0x1F74);
    // Ascending by character, except rows 72 and 204 which repeat an earlier one.
    for (std::size_t i = 1; i < kEntityCount; ++i) {
        if (i == 71 || i == 203) continue;
        const std::size_t prev = (i == 72 || i == 204) ? i - 2 : i - 1;
        EXPECT_LT(EntityTable[prev].character, EntityTable[i].character) << "row " << i + 1;
    }
}

TEST(EntityTable, OnlyAWholeNameWithItsCaseFindsItsRow) {
    for (const EntityRow& row : EntityTable) {
        ASSERT_EQ(entityCharacter(row.name), row.character) << row.name;
    }
    // Near misses: a prefix, one byte more, another case, a NUL inside, over-long, empty.
    const std::string_view misses[] = {"&thorn", "thorn;", "&thorn;;", "&Thorn;", "&THORN ;", "&lt;x", "&",
                                       {"&lt\0;", 5}, "&omicron-dasia-oxia;;", ""};
    for (const std::string_view miss : misses) {
        EXPECT_FALSE(entityCharacter(miss).has_value()) << miss;
    }
    EXPECT_EQ(entityCharacter("&THORN;"), char16_t{0x00DE});
}

TEST(EntityDecoding, KnownNamesBecomeTheirCharacter) {
    EXPECT_EQ(decodeEntities(u"&a-long;"), u(u"\u0101"));
    EXPECT_EQ(decodeEntities(u"&thorn;&wynn;&yogh;&YOGH;"), u(u"\u00FE\u01BF\u021D\u021C"));
    EXPECT_EQ(decodeEntities(u"&AElig;&aelig;"), u(u"\u00C6\u00E6"));
    EXPECT_EQ(decodeEntities(u"&atilde;&a-tilde;"), u(u"\u00E3\u00E3"));
    EXPECT_EQ(decodeEntities(u"&alpha-dasia-oxia;&alpha-psili-oxia;"), u(u"\u1F04\u1F04"));
    EXPECT_EQ(decodeEntities(u"&eta-dasia;&iota-psili;"), u(u"\u1F74\u1F30"));
    EXPECT_EQ(decodeEntities(u"<b>&eth;</b>"), u(u"<b>\u00F0</b>"));
    EXPECT_EQ(decodeEntities(u"&aelig;t"), u(u"\u00E6t"));
}

TEST(EntityDecoding, EverythingElseStaysAsWritten) {
    for (const char16_t* same : {u"&Aelig;", u"&AELIG;", u"&;", u"&nosuch;", u"fish & chips; and", u"", u"plain",
                                 u"a & b", u"&thorn", u"&&thorn;"}) {
        EXPECT_EQ(decodeEntities(same), u(same)) << QString::fromUtf16(same).toStdString();
    }
    EXPECT_EQ(decodeEntities(u"&amp;lt;"), u(u"&lt;")); // never rescanned
    EXPECT_EQ(decodeEntities(u"&x &thorn;"), u(u"&x &thorn;"));
    EXPECT_EQ(decodeEntities(u"&thorn;&x"), u(u"\u00FE&x"));
}

TEST(EntityDecoding, EveryRowDecodes) {
    for (const EntityRow& row : EntityTable) {
        const QString name = QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size()));
        EXPECT_EQ(decodeEntities(name), QString(QChar(row.character))) << row.name;
    }
}

TEST(EntityDecoding, FastPathsAgreeWithTheStepByStepRuleOnRandomText) {
    std::mt19937 rng(7);
    const QStringList pieces = {u"&"_qs, u";"_qs, u"a"_qs, u"&thorn;"_qs, u"&amp;"_qs, u"&Thorn;"_qs, u" "_qs,
                                u"<b>"_qs, u"\u00E9"_qs, u"&a-long"_qs, u"\u20AC"_qs, u"\r\n"_qs};
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int n = static_cast<int>(rng() % 12);
        for (int i = 0; i < n; ++i) text += pieces[static_cast<qsizetype>(rng() % pieces.size())];
        ASSERT_EQ(decodeEntities(text), referenceDecode(text)) << text.toStdString();
        const auto bytes = narrow(text);
        ASSERT_TRUE(bytes.has_value());
        ASSERT_EQ(decodeEntityBytes(*bytes), referenceDecode(text)) << text.toStdString();
    }
}

TEST(CodePage, Windows1252BothWays) {
    EXPECT_EQ(widen("caf\xE9"), u(u"caf\u00E9"));
    EXPECT_EQ(widenByte(0x80), 0x20AC);
    EXPECT_EQ(widenByte(0x9F), 0x0178);
    for (const int gap : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(widenByte(static_cast<unsigned char>(gap)), gap);
    for (int b = 0; b < 256; ++b) {
        const auto back = narrowUnit(widenByte(static_cast<unsigned char>(b)));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, b);
    }
    EXPECT_FALSE(narrowUnit(0x0101).has_value());
    EXPECT_FALSE(narrow(u"a\u0101").has_value());
    EXPECT_EQ(*narrow(u"\u20ACx"), QByteArray("\x80x"));
}
