// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/EntryDisplay.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {

class EntryDisplayTest : public ::testing::Test {
protected:
    // Opens `bytes` as the dictionary text and returns its entry starts.
    std::vector<std::int32_t> open(const QByteArray& bytes) {
        text = std::make_unique<TMapTextfile>();
        EXPECT_EQ(text->Open(dir.write(QStringLiteral("t%1.txt").arg(++files), bytes), false), 0);
        return buildEntryIndex(*text).offsets;
    }
    std::string styleLetters(const DisplayedEntry& e) const {
        std::string out;
        for (const std::uint8_t s : e.formatted.styles) out += ".biB????"[s & 7];
        return out;
    }
    TempDir dir;
    std::unique_ptr<TMapTextfile> text;
    int files = 0;
};

} // namespace

TEST_F(EntryDisplayTest, ShowsTheBytesAfterTheMarkerThroughTheEntrysLastByte) {
    const auto starts = open("@wh_b0001#<b>ab</b> <i>n.</i> x\r\n@wh_b0002#<b>cd</b> y&aelig;\r\n#<b>ef</b>");
    ASSERT_EQ(starts.size(), 3u);

    const DisplayedEntry first = displayEntry(*text, starts[0], {});
    EXPECT_EQ(first.from, 9);
    EXPECT_EQ(first.to, text->bytes().indexOf('#', 10) - 1);
    // The page marker inside the entry stays in the text as it is.
    EXPECT_EQ(first.formatted.text, u"ab n. x\r\n@wh_b0002"_qs);
    EXPECT_EQ(styleLetters(first), "bb.ii.............");
    EXPECT_EQ(first.page, u"wh_b0001"_qs);

    const DisplayedEntry second = displayEntry(*text, starts[1], {});
    EXPECT_EQ(second.formatted.text, QString::fromUtf16(u"cd y\u00E6\r\n"));
    EXPECT_EQ(second.page, u"wh_b0002"_qs);  // its '@' lies inside the previous entry

    // The last entry runs through the last byte of the file; its tags close right at the end.
    const DisplayedEntry last = displayEntry(*text, starts[2], {});
    EXPECT_EQ(last.to, text->size() - 1);
    EXPECT_EQ(last.formatted.text, u"ef"_qs);
    EXPECT_EQ(styleLetters(last), "bb");
    EXPECT_EQ(last.page, u"wh_b0002"_qs);
}

TEST_F(EntryDisplayTest, PositionsCountBothUnitsOfALineBreak) {
    const auto starts = open("@wh_b0001#<b>x</b>\r\nab\nab");
    const DisplayedEntry e = displayEntry(*text, starts[0], u"AB");
    EXPECT_EQ(e.formatted.text, u"x\r\nab\nab"_qs);
    EXPECT_EQ(e.formatted.marks, (std::vector<MarkRange>{{3, 2}, {6, 2}}));
}

TEST_F(EntryDisplayTest, PageNamesAreWidenedAndMayBeMissingOrShort) {
    auto starts = open("#<b>a</b>");
    EXPECT_EQ(displayEntry(*text, starts[0], {}).page, QString());

    starts = open("@\x80\xE6wh_b01#<b>a</b>");
    EXPECT_EQ(displayEntry(*text, starts[0], {}).page, QString::fromUtf16(u"\u20AC\u00E6wh_b01"));

    // The 8 bytes are taken as they stand, even when the entry's '#' is among them.
    starts = open("@wh#<b>a");
    EXPECT_EQ(entryPageName(*text, starts[0] - 4), u"wh#<b>a"_qs);
}

TEST_F(EntryDisplayTest, AnEntryCutShortByTheEndOfTheFile) {
    // "#ab" at the very end: the start lies past the file, the shown text is what follows the '#'.
    const auto starts = open("@wh_b0001#<b>a</b>#ab");
    ASSERT_EQ(starts.size(), 2u);
    ASSERT_GT(starts[1], text->size());
    const DisplayedEntry e = displayEntry(*text, starts[1], u"b");
    EXPECT_EQ(e.to, text->size() - 1);
    EXPECT_EQ(e.formatted.text, u"ab"_qs);
    EXPECT_EQ(e.formatted.marks, (std::vector<MarkRange>{{1, 1}}));
}

TEST_F(EntryDisplayTest, BufferIsClampedToTheFileAndWidened) {
    open("#\x80<b>\xFE");
    EXPECT_EQ(entryBuffer(*text, 0, 4), QString::fromUtf16(u"\u20AC<b>"));
    EXPECT_EQ(entryBuffer(*text, 3, 100), QString::fromUtf16(u">\u00FE"));
    EXPECT_EQ(entryBuffer(*text, -5, 0), u"#"_qs);
    EXPECT_EQ(entryBuffer(*text, 5, 5), QString());
    EXPECT_EQ(entryBuffer(*text, 6, 2), QString());
}

TEST_F(EntryDisplayTest, OnlyIndexElementsAreEntryStarts) {
    const QByteArray bytes = "@wh_b0001#<b>a#b</b>#xyzc<";
    open(bytes);
    const EntryIndex index = buildEntryIndex(*text);
    ASSERT_EQ(index.offsets, (std::vector<std::int32_t>{13, 24}));
    for (std::int32_t offset = -1; offset <= bytes.size() + 4; ++offset) {
        EXPECT_EQ(isEntryStart(index, offset), offset == 13 || offset == 24) << offset;
    }
}
