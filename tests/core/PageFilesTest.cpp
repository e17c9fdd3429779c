// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/PageFiles.h"

#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

using namespace wordhoard;
using wordhoard::testing::TempDir;

TEST(PageFiles, TheTextLiesInTxtOfTheFolder) {
    EXPECT_EQ(dictionaryTextPath({}), u"txt/WH-main_01.txt"_qs); // relative: the working directory
    EXPECT_EQ(dictionaryTextPath(u"/d/oe"_qs), u"/d/oe/txt/WH-main_01.txt"_qs);
    EXPECT_EQ(dictionaryTextPath(u"/d/oe/"_qs), u"/d/oe/txt/WH-main_01.txt"_qs);
    EXPECT_EQ(dictionaryTextPath(u"rel"_qs), u"rel/txt/WH-main_01.txt"_qs);
}

TEST(PageFiles, APageNameIsAPlainFileNameInImg) {
    EXPECT_EQ(pageImagePath({}, "wh_b0001"), u"img/wh_b0001.jpg"_qs);
    EXPECT_EQ(pageImagePath(u"/d/oe"_qs, "wh_b0001"), u"/d/oe/img/wh_b0001.jpg"_qs);
    EXPECT_EQ(pageImagePath({}, "caf\xE9"), u"img/caf\u00E9.jpg"_qs); // widened as the status bar shows it
    for (const QByteArrayView outside : {QByteArrayView("../x"), QByteArrayView("a/b"), QByteArrayView("a\\b"),
                                         QByteArrayView("..abcdef"), QByteArrayView("ab\0cd", 5)}) {
        EXPECT_FALSE(pageImagePath({}, outside).has_value()) << outside.toByteArray().toStdString();
    }
}

TEST(PageFiles, OnlyANewPageWithAPictureIsLoaded) {
    TempDir dir;
    const QString folder = dir.path({});
    dir.write(u"img/wh_b0001.jpg"_qs, "jpeg");
    dir.write(u"img/wh_b0002.jpg/inner"_qs, "a folder named like a picture");

    PageLoad load = planPageLoad({}, {}, folder); // an empty request is the first page
    EXPECT_EQ(load.name, "wh_b0001");
    EXPECT_EQ(load.file, dir.path(u"img/wh_b0001.jpg"_qs));
    load = planPageLoad("wh_b0001", "wh_b0001", folder); // asked for last: nothing to load
    EXPECT_EQ(load.name, "wh_b0001");
    EXPECT_FALSE(load.file);
    EXPECT_FALSE(planPageLoad({}, "wh_b0001", folder).file);
    EXPECT_TRUE(planPageLoad("WH_B0001", "wh_b0001", folder).name == "WH_B0001"); // case counts
    for (const QByteArrayView nothing : {QByteArrayView("wh_b0002"), QByteArrayView("wh_b0003"), QByteArrayView("../img/x")}) {
        load = planPageLoad(nothing, "wh_b0001", folder);
        EXPECT_EQ(load.name, nothing.toByteArray());
        EXPECT_FALSE(load.file) << load.name.toStdString();
    }
}
