// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The logic behind the viewer's reading aids: history, page order, zoom steps, citations.
#include "display/Citation.h"
#include "reading/History.h"
#include "display/PageOrder.h"
#include "reading/EntryPlace.h"
#include "reading/ZoomSteps.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace wordhoard;

namespace {
const Visit a{10, 0}, b{20, 0}, c{30, 1}, d{40, 0};
} // namespace

TEST(History, BackAndForwardMoveACursorAndANewVisitDropsWhatLayAhead) {
    History history;
    EXPECT_FALSE(history.back());
    EXPECT_FALSE(history.forward());
    EXPECT_FALSE(history.current());
    for (const Visit& v : {a, b, c}) history.record(v);
    EXPECT_EQ(history.back(), b);
    EXPECT_EQ(history.back(), a);
    EXPECT_FALSE(history.back()); // the cursor stays on the first
    EXPECT_EQ(history.current(), a);
    EXPECT_EQ(history.forward(), b);
    history.record(d); // c is dropped
    EXPECT_FALSE(history.canGoForward());
    EXPECT_EQ(history.size(), 3u);
    EXPECT_EQ(history.back(), b);
    EXPECT_EQ(history.back(), a);
    EXPECT_EQ(history.forward(), b);
    EXPECT_EQ(history.forward(), d);
}

TEST(History, TheSameVisitTwiceInARowCountsOnceButTheSameEntryFromAnotherListTwice) {
    History history;
    history.record(a);
    history.record(a);
    EXPECT_EQ(history.size(), 1u);
    history.record({a.start, 1});
    EXPECT_EQ(history.size(), 2u);
    history.record(a);
    EXPECT_EQ(history.size(), 3u);
    // Going back onto a visit and recording it again moves nothing.
    EXPECT_EQ(history.back(), (Visit{a.start, 1}));
    history.record({a.start, 1});
    EXPECT_TRUE(history.canGoForward());
}

TEST(History, KeepsAThousandStepsAndDropsTheOldest) {
    History history;
    for (std::int32_t i = 0; i < 1500; ++i) history.record({i, 0});
    EXPECT_EQ(history.size(), History::kSteps + 1);
    int steps = 0;
    std::optional<Visit> last;
    while (const auto v = history.back()) {
        last = v;
        ++steps;
    }
    EXPECT_EQ(steps, 1000);
    EXPECT_EQ(last->start, 499);
    history.clear();
    EXPECT_EQ(history.size(), 0u);
    EXPECT_FALSE(history.back());
}

// A changed text keeps some entries: the visits of those that are gone go, the cursor stays on its
// visit or else falls back to the nearest kept one before it, and neighbours that meet merge.
TEST(History, RemappingDropsGoneVisitsAndKeepsTheCursorOnWhatIsLeft) {
    History history;
    for (const Visit& v : {a, b, c, d}) history.record(v);
    history.back(); // on c
    history.remap([](const Visit& v) -> std::optional<Visit> {
        if (v == c) return std::nullopt;
        return v == d ? a : Visit{v.start + 1, v.list};
    });
    EXPECT_EQ(history.visits(), (std::deque<Visit>{{11, 0}, {21, 0}, a}));
    EXPECT_EQ(history.current(), (Visit{21, 0}));
    history.remap([](const Visit&) { return a; }); // every visit becomes one
    EXPECT_EQ(history.size(), 1u);
    EXPECT_FALSE(history.canGoBack());
    history.remap([](const Visit&) { return std::nullopt; });
    EXPECT_FALSE(history.current());
}

// An entry is found again where it stood, else by its headword at the start nearest to its old
// one (homographs keep their order), and not at all once its headword is gone.
TEST(EntryFinder, FindsAnEntryWhereItStoodOrByItsHeadwordNearest) {
    TMapTextfile text;
    const QByteArray bytes = "#<b>bana</b> x#<b>ac</b> oak#<b>bana</b> y#<b>cyning</b> king";
    ASSERT_EQ(text.OpenBytes(bytes), 0);
    const EntryIndex index = buildEntryIndex(text);
    const EntryFinder finder(index);
    EXPECT_EQ(placeOf(index, 18), (EntryPlace{18, "ac"}));
    EXPECT_EQ(placeOf(index, 19), std::nullopt);
    EXPECT_EQ(finder.find(*placeOf(index, 18)), 18); // "ac", where it stands
    EXPECT_EQ(finder.find({25, "ac"}), 18);        // moved
    EXPECT_EQ(finder.find({4, "bana"}), 4);
    EXPECT_EQ(finder.find({26, "bana"}), 32); // the second "bana" lies nearer
    EXPECT_EQ(finder.find({14, "bana"}), 4);
    EXPECT_EQ(finder.find({4, "wyrd"}), std::nullopt);
}

TEST(PageOrder, PagesFollowTheMarkersOnceEach) {
    const PageOrder order("@wh_b0001\r\n#<b>a</b> x@wh_b0002#<b>b</b> y @wh_b0001 #<b>c</b> z @p3");
    ASSERT_EQ(order.size(), 3);
    EXPECT_EQ(order.at(0), "wh_b0001");
    EXPECT_EQ(order.at(1), "wh_b0002");
    EXPECT_EQ(order.at(2), "p3"); // the file ends within the eight bytes
    EXPECT_EQ(order.next("wh_b0001"), QByteArray("wh_b0002"));
    EXPECT_EQ(order.next("wh_b0002"), QByteArray("p3"));
    EXPECT_FALSE(order.next("p3"));
    EXPECT_EQ(order.previous("p3"), QByteArray("wh_b0002"));
    EXPECT_FALSE(order.previous("wh_b0001"));
    // A name no marker gives: the next page is the first, there is no previous one.
    EXPECT_EQ(order.next("nowhere1"), QByteArray("wh_b0001"));
    EXPECT_EQ(order.next(""), QByteArray("wh_b0001"));
    EXPECT_FALSE(order.previous("nowhere1"));
}

TEST(PageOrder, MarkersInsideNamesAndAtTheEnd) {
    // Each '@' starts a name, as the status bar reads them: the last '@' before an entry counts.
    const PageOrder order("@ab@cdefghij#x@");
    ASSERT_EQ(order.size(), 2);
    EXPECT_EQ(order.at(0), "ab@cdefg");
    EXPECT_EQ(order.at(1), "cdefghij");
    EXPECT_EQ(PageOrder("no markers").size(), 0);
    EXPECT_FALSE(PageOrder().next("wh_b0001"));
}

TEST(ZoomSteps, StepsFollowTheLadderWithinTheLimits) {
    EXPECT_EQ(zoomStep(100, 1, 50, 400), 110);
    EXPECT_EQ(zoomStep(100, -1, 50, 400), 90);
    EXPECT_EQ(zoomStep(300, 1, 50, 400), 400);
    EXPECT_EQ(zoomStep(400, 1, 50, 400), 400);
    EXPECT_EQ(zoomStep(50, -1, 50, 400), 50);
    EXPECT_EQ(zoomStep(67, -1, 50, 400), 50);
    // Between rungs (a fitted page), a step goes to the next rung either way.
    EXPECT_EQ(zoomStep(37, 1, 10, 400), 50);
    EXPECT_EQ(zoomStep(37, -1, 10, 400), 33);
    EXPECT_EQ(zoomStep(5, 1, 10, 400), 10);
    EXPECT_EQ(zoomStep(900, -1, 10, 400), 400);
    EXPECT_EQ(zoomStep(120, 0, 50, 400), 120);
    // From 50 to 400 and back in as many steps.
    int up = 0, z = 50;
    while (z < 400) z = zoomStep(z, 1, 50, 400), ++up;
    int down = 0;
    while (z > 50) z = zoomStep(z, -1, 50, 400), ++down;
    EXPECT_EQ(up, down);
    EXPECT_EQ(up, 13);
}

TEST(Citation, OneLineWithHeadwordAndPageFollowsTheText) {
    EXPECT_EQ(citedEntry(u"cyning king n.\n"_qs, u"cyning"_qs, u"wh_b0002"_qs),
              u"cyning king n.\n\u2014 cyning, page wh_b0002\n"_qs);
    EXPECT_EQ(citedEntry(u"\u00E6t at"_qs, u"\u00E6t"_qs, u"wh_b0001"_qs), u"\u00E6t at\n\u2014 \u00E6t, page wh_b0001\n"_qs);
    EXPECT_EQ(citedEntry(u"x"_qs, u"x"_qs, QString()), u"x\n\u2014 x\n"_qs);
}
