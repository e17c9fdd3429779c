// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What outlasts a run of the viewer: favourites and the history as the settings keep them, found
// again in a changed text; the settings' values and their files; the contrast of colours.
#include "display/Contrast.h"
#include "reading/EntryPlace.h"
#include "reading/Favourites.h"
#include "reading/LastingHistory.h"
#include "settings/SettingsStore.h"
#include "settings/ViewerSettings.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include <cstdlib>
#include <random>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {

// A text of entries with these headwords, one a line, with a page marker every third entry.
QByteArray textOf(const std::vector<QByteArray>& headwords) {
    QByteArray text;
    for (std::size_t i = 0; i < headwords.size(); ++i) {
        if (i % 3 == 0) text += "@wh_b" + QByteArray::number(1000 + static_cast<int>(i)) + "\r\n";
        text += "#<b>" + headwords[i] + "</b> sense " + QByteArray::number(static_cast<int>(i)) + "\r\n";
    }
    return text;
}

struct OpenText {
    explicit OpenText(const QByteArray& contents) : bytes(contents) {
        text.OpenBytes(bytes);
        index = buildEntryIndex(text);
    }
    QByteArray bytes;
    TMapTextfile text;
    EntryIndex index;
};

// Where a place is found again, by its definition: the entry that starts there with that
// headword; else, of the entries with that headword, the first of those nearest the old start.
std::optional<std::int32_t> referenceFind(const EntryIndex& index, const EntryPlace& place) {
    std::optional<std::int32_t> best;
    for (qsizetype i = 0; i < index.size(); ++i) {
        if (index.raw(i) != place.headword) continue;
        const std::int32_t start = index.offsets[static_cast<std::size_t>(i)];
        if (start == place.start) return start;
        if (!best || std::abs(qint64{start} - place.start) < std::abs(qint64{*best} - place.start)) best = start;
    }
    return best;
}

} // namespace

// Headwords and pages of any bytes a text may hold there (tabs, line breaks, '%', high bytes) and
// notes of any letters come back as they went; lines that are not ours are skipped and counted.
TEST(Favourites, TheirEncodingGivesBackAnyHeadwordPageDateAndNote) {
    std::mt19937 random(20);
    const auto awkward = [&](int length) {
        QByteArray out;
        for (int n = 0; n < length; ++n) {
            char c = static_cast<char>(random() % 256);
            if (c == '<' || c == '#' || c == '@') c = '%'; // they would end the headword or entry
            out += c;
        }
        return out;
    };
    for (int round = 0; round < 200; ++round) {
        QByteArray text;
        const int count = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < count; ++i) text += "@" + awkward(8) + "#<b>" + awkward(1 + static_cast<int>(random() % 12)) + "</b> x";
        OpenText open(text);
        Favourites favourites;
        for (qsizetype i = 0; i < open.index.size(); ++i) {
            const QDateTime when =
                QDateTime::fromSecsSinceEpoch(1'600'000'000 + static_cast<qint64>(random() % 100'000'000), Qt::UTC);
            ASSERT_TRUE(favourites.toggle(open.text, open.index, open.index.offsets[static_cast<std::size_t>(i)], when));
            QString note;
            for (int n = static_cast<int>(random() % 12); n > 0; --n) note += QChar(static_cast<char16_t>(0x20 + random() % 0x2000));
            favourites.setNote(static_cast<std::size_t>(i), note);
        }
        const QString encoded = favourites.encode();
        EXPECT_EQ(Favourites::decode(encoded).list(), favourites.list()) << "round " << round;
        int skipped = -1;
        EXPECT_EQ(Favourites::decode(encoded + u"not\ta favourite\n3\tx\ty\tnot a date\tz\n"_qs, &skipped).list(),
                  favourites.list());
        EXPECT_EQ(skipped, 2);
    }
    Favourites one;
    OpenText open("#<b>cyning</b> king");
    one.toggle(open.text, open.index, 4, QDateTime(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC));
    one.setNote(0, u"see\r\nalso\nþing"_qs);
    EXPECT_EQ(one.list()[0].note, u"see also þing"_qs);
    EXPECT_EQ(one.encode(), u"4\tcyning\t\t2024-05-01T10:00:00Z\tsee%20also%20%C3%BEing\n"_qs);
}

TEST(Favourites, MarkingTwiceUnmarksAndExportsQuoteWhatCsvMust) {
    OpenText open("@wh_b0001\r\n#<b>a, b</b> x\r\n@wh_b0002\r\n#<b>&aelig;\"t</b> y");
    Favourites favourites;
    const QDateTime noon(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    EXPECT_TRUE(favourites.toggle(open.text, open.index, open.index.offsets[0], noon));
    EXPECT_TRUE(favourites.toggle(open.text, open.index, open.index.offsets[1], noon));
    EXPECT_FALSE(favourites.toggle(open.text, open.index, open.index.offsets[0], noon));
    EXPECT_FALSE(favourites.toggle(open.text, open.index, open.index.offsets[0] + 1, noon)); // no entry there
    EXPECT_EQ(favourites.size(), 1u);
    EXPECT_TRUE(favourites.toggle(open.text, open.index, open.index.offsets[0], noon.addDays(1)));
    favourites.setNote(1, u"first, \"best\""_qs);
    EXPECT_EQ(favourites.find(open.index.offsets[1]), 0u);
    EXPECT_EQ(favourites.list()[0].page, QByteArray("wh_b0002"));
    EXPECT_EQ(favourites.toCsv(), u"Headword,Page,Added,Note\r\n"
                                  "\"\u00E6\"\"t\",wh_b0002,2024-05-01T12:00:00Z,\r\n"
                                  "\"a, b\",wh_b0001,2024-05-02T12:00:00Z,\"first, \"\"best\"\"\"\r\n"_qs);
    const QString plain = favourites.toPlainText();
    EXPECT_TRUE(plain.startsWith(u"\u00E6\"t (wh_b0002, 2024-05-0"_qs)) << plain.toStdString();
    EXPECT_TRUE(plain.contains(u"): first, \"best\"\n"_qs));
}

// A favourite follows its headword when the text changed around it, and stays, not found, when
// its headword went.
TEST(Favourites, ACheckFindsEachAgainAsEntryFinderDoesAndKeepsTheLostOnes) {
    OpenText before(textOf({"ac", "bana", "cyning", "dæd", "eorl"}));
    Favourites favourites;
    for (const int i : {1, 2, 4}) favourites.toggle(before.text, before.index, before.index.offsets[static_cast<std::size_t>(i)], QDateTime::currentDateTimeUtc());
    OpenText after(textOf({"a", "ac", "bana", "dæd", "eorl", "fyrd"}));
    favourites.check(after.text, EntryFinder(after.index));
    const auto& list = favourites.list();
    EXPECT_TRUE(list[0].found);
    EXPECT_EQ(list[0].place.start, after.index.offsets[2]);
    EXPECT_EQ(list[0].page, QByteArray("wh_b1000"));
    EXPECT_FALSE(list[1].found); // cyning went
    EXPECT_EQ(list[1].place.start, before.index.offsets[2]);
    EXPECT_TRUE(list[2].found);
    EXPECT_EQ(list[2].place.start, after.index.offsets[4]);
    EXPECT_EQ(list[2].page, QByteArray("wh_b1003"));
    EXPECT_FALSE(favourites.find(before.index.offsets[2]).has_value()); // a lost one stands for no entry
}

// Randomized: histories over texts of few headwords (many homographs), stored, and found again
// in a text where entries were added, dropped and moved, against the definition: each step where
// the reference finds it, steps with no entry dropped, equal neighbours merged, the cursor on its
// step or the nearest kept one before it.
TEST(LastingHistory, StepsAreFoundAgainInAChangedTextAsTheDefinitionSays) {
    std::mt19937 random(7);
    const std::vector<QByteArray> words = {"ac", "bana", "cyning", "d&aelig;d", "eorl", "fyrd"};
    for (int round = 0; round < 300; ++round) {
        std::vector<QByteArray> oldWords;
        for (int n = 1 + static_cast<int>(random() % 12); n > 0; --n) oldWords.push_back(words[random() % words.size()]);
        OpenText before(textOf(oldWords));
        History history;
        for (int n = static_cast<int>(random() % 20); n > 0; --n) {
            if (random() % 4 == 0) {
                history.back();
            } else {
                history.record({before.index.offsets[random() % oldWords.size()], static_cast<int>(random() % 2)});
            }
        }
        const PlacedHistory placed = placeHistory(history, before.index);
        ASSERT_EQ(decodeHistory(encodeHistory(placed)), placed);
        if (!history.current()) continue;

        std::vector<QByteArray> newWords;
        for (const QByteArray& w : oldWords) {
            if (random() % 4 == 0) continue;                            // dropped
            if (random() % 4 == 0) newWords.push_back(words[random() % words.size()]); // one added before
            newWords.push_back(w);
        }
        OpenText after(textOf(newWords));
        const History found = findHistory(placed, EntryFinder(after.index));

        std::vector<Visit> expected;
        std::size_t cursor = 0;
        for (std::size_t i = 0; i < placed.steps.size(); ++i) {
            const std::optional<std::int32_t> start = referenceFind(after.index, placed.steps[i].place);
            const Visit visit{start.value_or(0), placed.steps[i].list};
            if (start && (expected.empty() || !(expected.back() == visit))) expected.push_back(visit);
            if (i == placed.cursor) cursor = expected.empty() ? 0 : expected.size() - 1;
        }
        EXPECT_EQ(std::vector<Visit>(found.visits().begin(), found.visits().end()), expected) << "round " << round;
        if (!expected.empty()) {
            EXPECT_EQ(found.position(), cursor) << "round " << round;
        }
    }
}

TEST(LastingHistory, LinesThatAreNotOursAreSkippedAndTheCursorKeptInRange) {
    int skipped = -1;
    const PlacedHistory placed = decodeHistory(u"7\n40\t0\tcyning\nx\t0\ty\n61\t2\tbad list\n3\t0\ttoo early\n61\t1\td%26aelig%3Bd\n"_qs, &skipped);
    EXPECT_EQ(skipped, 3);
    ASSERT_EQ(placed.steps.size(), 2u);
    EXPECT_EQ(placed.steps[1].place, (EntryPlace{61, "d&aelig;d"}));
    EXPECT_EQ(placed.steps[1].list, 1);
    EXPECT_EQ(placed.cursor, 1u); // 7 lies past the end
    EXPECT_EQ(encodeHistory(placed), u"1\n40\t0\tcyning\n61\t1\td%26aelig%3Bd\n"_qs);
    EXPECT_TRUE(decodeHistory(u""_qs).steps.empty());
}

TEST(ViewerSettings, KeepEveryValueAndLeaveABadOneAtItsDefault) {
    ViewerSettings s;
    s.windowGeometry = QByteArray("\x01\x02\xFF", 3);
    s.listTab = 1;
    s.entryTab = 1;
    s.font = u"Cardo,12,-1,5,400,0,0,0,0,0"_qs;
    s.zoom = 175;
    s.looseMatching = true;
    s.pageFit = ViewerSettings::PageFit::Scale;
    s.pageScale = 33;
    s.theme = ViewerSettings::Theme::Dark;
    s.language = u"de"_qs;
    s.recent = {{u"/d/a, b"_qs, EntryPlace{40, "c\tyning"}}, {u"/d/c"_qs, std::nullopt}};
    EXPECT_EQ(settingsFromMap(settingsToMap(s)), s);

    QVariantMap bad = settingsToMap(s);
    bad[u"view/zoom"_qs] = u"big"_qs;
    bad[u"view/pageScale"_qs] = 9000;
    bad[u"window/listTab"_qs] = 2;
    bad[u"view/theme"_qs] = u"purple"_qs;
    bad[u"recent/entries"_qs] = QStringList{u"x\ty"_qs};
    const ViewerSettings read = settingsFromMap(bad);
    EXPECT_EQ(read.zoom, 100);
    EXPECT_EQ(read.pageScale, 100);
    EXPECT_EQ(read.listTab, 0);
    EXPECT_EQ(read.theme, ViewerSettings::Theme::System);
    EXPECT_EQ(read.recent[0].lastEntry, std::nullopt);
    EXPECT_EQ(read.recent[1].folder, u"/d/c"_qs);
    EXPECT_EQ(read.pageFit, ViewerSettings::PageFit::Scale);
    EXPECT_EQ(settingsFromMap({}), ViewerSettings());

    std::vector<RecentDictionary> recent;
    for (int i = 0; i < 10; ++i) addRecentFolder(recent, u"/d/%1"_qs.arg(i));
    recent[3].lastEntry = EntryPlace{4, "w"};
    addRecentFolder(recent, u"/d/6"_qs);
    ASSERT_EQ(recent.size(), 8u);
    EXPECT_EQ(recent[0].folder, u"/d/6"_qs);
    EXPECT_EQ(recent[0].lastEntry, (EntryPlace{4, "w"})); // its last entry goes with it
    EXPECT_EQ(recent[1].folder, u"/d/9"_qs);
    EXPECT_EQ(recent[7].folder, u"/d/2"_qs);
}

TEST(SettingsStore, WritesInTheBackgroundWhatAnotherStoreReadsBackAndReplacesADamagedFile) {
    TempDir dir;
    const QString folder = dir.path(u"config/wordhoard"_qs);
    ViewerSettings s;
    s.zoom = 150;
    s.recent = {{u"/d/oe"_qs, EntryPlace{40, "cyning"}}};
    {
        SettingsStore store(folder);
        store.saveSettings(s);
        // Read back before it is written: the store answers with what it was given.
        EXPECT_EQ(store.loadSettings().settings, s);
        store.saveReading(u"/d/oe"_qs, {u"0\n40\t0\tcyning\n"_qs, u"favourites"_qs});
        store.saveReading(u"/d/other"_qs, {u"h"_qs, u"f"_qs});
        store.saveReading(u"/d/oe"_qs, {u"0\n"_qs, u"latest"_qs});
    }
    SettingsStore store(folder);
    SettingsStore::LoadedSettings loaded = store.loadSettings();
    EXPECT_TRUE(loaded.problem.isEmpty());
    EXPECT_EQ(loaded.settings, s);
    EXPECT_EQ(store.loadReading(u"/d/oe"_qs).reading, (SettingsStore::Reading{u"0\n"_qs, u"latest"_qs}));
    EXPECT_EQ(store.loadReading(u"/d/other"_qs).reading, (SettingsStore::Reading{u"h"_qs, u"f"_qs}));
    EXPECT_EQ(store.loadReading(u"/d/none"_qs).reading, SettingsStore::Reading());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{u"reading.conf"_qs, u"wordhoard.conf"_qs}));

    // Damaged: left unread, saying so; the next save replaces it whole.
    QFile file(store.settingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[view]\nzoom=300\n[oops\n\\x==\n");
    file.close();
    SettingsStore damaged(folder);
    loaded = damaged.loadSettings();
    EXPECT_EQ(loaded.problem, u"%1 is damaged"_qs.arg(store.settingsFile()));
    EXPECT_EQ(loaded.settings, ViewerSettings());
    damaged.saveSettings(s);
    damaged.flush();
    EXPECT_TRUE(SettingsStore(folder).loadSettings().problem.isEmpty());
    EXPECT_FALSE(QSettings(store.settingsFile(), QSettings::IniFormat).contains(u"oops/x"_qs));
    // A file of another version is not read either.
    QSettings(store.settingsFile(), QSettings::IniFormat).setValue(u"format"_qs, 2);
    EXPECT_TRUE(SettingsStore(folder).loadSettings().problem.contains(u"another version"_qs));

    // Read-only (wordhoard --check): nothing is written.
    TempDir elsewhere;
    SettingsStore check(elsewhere.path(u"wordhoard"_qs), true);
    check.saveSettings(s);
    check.saveReading(u"/d/oe"_qs, {u"x"_qs, u"y"_qs});
    check.flush();
    EXPECT_FALSE(QDir(elsewhere.path(u"wordhoard"_qs)).exists());
}

TEST(Contrast, RatiosAreTheOnesWcagGives) {
    EXPECT_NEAR(contrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0xFFFFFF, 0x000000), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0x767676, 0xFFFFFF), 4.54, 0.005);
    EXPECT_NEAR(contrastRatio(0xF00000, 0xFFFFFF), 4.47, 0.01);
    EXPECT_NEAR(contrastRatio(0x123456, 0x123456), 1.0, 1e-9);
    EXPECT_NEAR(relativeLuminance(0x00FF00), 0.7152, 1e-9);
}
