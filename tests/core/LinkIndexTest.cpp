// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Cross-reference links: the one-pass shown prefix against the pane's own formatting, the reading
// of markers on real-looking entries, and the whole index against formatting every entry in full.
#include "language/LinkIndex.h"
#include "language/Spelling.h"
#include "Dictionary.h"
#include "QtPrinters.h"
#include "References.h"
#include "TempFiles.h"
#include "display/EntryDisplay.h"
#include "display/EntryFormat.h"
#include "display/ShownPrefix.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace wordhoard;
using wordhoard::reference::linksHeld;
using wordhoard::reference::linksReadInFull;
using wordhoard::reference::ReferenceLink;
using wordhoard::testing::TempDir;

namespace {

template <typename T> T pick(std::mt19937& rng, const std::vector<T>& items) {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng)];
}

// A '<' of the decoded text that neither starts a tag nor is safe from forming one.
bool holdsUnsettledTag(const QString& decoded) {
    static const QStringList tags{u"<b>"_qs, u"</b>"_qs, u"<i>"_qs, u"</i>"_qs};
    for (qsizetype i = decoded.indexOf(u'<'); i >= 0; i = decoded.indexOf(u'<', i + 1)) {
        const bool tag = std::any_of(tags.begin(), tags.end(), [&](const QString& t) {
            return QStringView(decoded).sliced(i).startsWith(t, Qt::CaseInsensitive);
        });
        if (!tag && decoded.mid(i + 1, 3).contains(u'<')) return true;
    }
    return false;
}

TEST(ShownPrefix, EqualsTheFormattedEntryAndPlacesItsStops) {
    const std::vector<QByteArray> pieces = {
        "<b>",       "</b>",       "<i>",   "</i>",      "<B>",      "</I>",     "&lt;", "&gt;",
        "&lt;i&gt;", "&lt;/b&gt;", "&amp;", "&aelig;",   "&a-long;", "&c-odot;", "&x",   ";",
        "&",         "<",          "<b",    ">",         "/",        "b",        "i",    "a",
        "word",      " ",          " ",     "@wh_b0002", "\r\n",     "\xE6"};
    std::mt19937 rng(20250612);
    int fast = 0;
    for (int round = 0; round < 6000; ++round) {
        QByteArray entry;
        const int count = std::uniform_int_distribution<int>(0, 30)(rng);
        for (int k = 0; k < count; ++k) entry += pick(rng, pieces);
        std::vector<qsizetype> ats;
        for (qsizetype at = entry.indexOf('@'); at >= 0; at = entry.indexOf('@', at + 1)) ats.push_back(at);
        const QString decoded = decodeEntityBytes(entry);
        const FormattedEntry full = formatEntry(decoded, entry.size(), {});
        const qsizetype limit =
            round % 3 == 0 ? entry.size() : std::uniform_int_distribution<qsizetype>(0, entry.size())(rng);

        const std::optional<ShownPrefix> shown = shownPrefix(entry, limit, ats);
        if (!shown) {
            EXPECT_TRUE(holdsUnsettledTag(decoded)) << entry.toStdString();
            continue;
        }
        ++fast;
        SCOPED_TRACE(entry.toStdString() + " limit " + std::to_string(limit));
        // A token begun before the limit is read whole, and may end the entry.
        EXPECT_TRUE(shown->whole || limit < entry.size());
        // (compared as equal, not startsWith: an empty entry formats to a null string)
        ASSERT_EQ(full.text.left(shown->text.size()), shown->text);
        if (shown->whole) {
            EXPECT_EQ(shown->text, full.text);
            EXPECT_EQ(shown->styles, full.styles);
        }
        // The k-th '@' byte shows as the k-th '@'.
        qsizetype shownAt = -1;
        for (std::size_t k = 0; k < ats.size(); ++k) {
            shownAt = full.text.indexOf(u'@', shownAt + 1);
            if (ats[k] < limit) {
                EXPECT_EQ(shown->stops[k], shownAt) << "stop " << k;
            }
        }
    }
    EXPECT_GT(fast, 3000); // mostly the one pass ran, not the fallback
}

// A small dictionary in the real dictionary's shape, written to a file.
class LinkIndexTest : public ::testing::Test {
protected:
    void open(const QByteArray& bytes) {
        text = std::make_unique<TMapTextfile>();
        ASSERT_EQ(text->Open(dir.write(QStringLiteral("t%1.txt").arg(++files), bytes), false), 0);
        index = buildEntryIndex(*text);
        links = std::make_unique<LinkIndex>(*text, index);
    }
    std::int32_t start(QStringView headword, int homograph = 0) const {
        for (qsizetype i = 0; i < index.size(); ++i) {
            if (index.headword(i) == headword && homograph-- == 0) {
                return index.offsets[static_cast<std::size_t>(i)];
            }
        }
        ADD_FAILURE() << "no headword " << headword.toString().toStdString();
        return -1;
    }
    // The entry's links as "word>target" (target as its headword) and "@page", in order.
    QStringList shownLinks(QStringView headword, int homograph = 0) const {
        const std::int32_t from = start(headword, homograph);
        const QString shown = displayEntry(*text, from, {}).formatted.text;
        QStringList out;
        for (const LinkIndex::Link& link : links->linksOf(from)) {
            const QString word = shown.mid(link.pos, link.len);
            EXPECT_EQ(link.text, word);
            if (link.isPage()) {
                EXPECT_EQ(word, u'@' + link.page);
                out << u'@' + link.page;
            } else {
                out << word + u'>' +
                           index.headword(
                               std::lower_bound(index.offsets.begin(), index.offsets.end(), link.target) -
                               index.offsets.begin());
            }
        }
        return out;
    }

    TempDir dir;
    int files = 0;
    std::unique_ptr<TMapTextfile> text;
    EntryIndex index;
    std::unique_ptr<LinkIndex> links;
};

const QByteArray kDictionary =
    "@wh_b0001\r\n"
    "#<b>&a-long;b&i-long;dan</b> <i>st. v.</i> = <b>onb&i-long;dan</b>.\r\n"
    "#<b>&a-long;bl&a-long;w-nes</b> <i>f.</i> a blowing, inflation, <i>Lch.</i> 2, 26.\r\n"
    "#<b>&a-long;bl&a-long;wung</b> <i>f.</i> = &a-long;bl&a-long;wnes, <i>Lch.</i> 2, 30.\r\n"
    "#<b>&aelig;cer</b> <i>m.</i> a field, acre, <i>Gen.</i> 12 [cf. Gk. "
    "<i>&alpha;&gamma;&rho;&omicron;&sigmaf;</i>; v. AR 3, 12; v. A 31].\r\n"
    "#<b>&aelig;cras</b> <i>v</i>. <i>&aelig;cer</i>.\r\n"
    "#<b>&a-long;r</b> I. <i>f.</i> honour, glory; = <i>weor&eth;</i>.\r\n"
    "#<b>&a-long;r</b> II. <i>m.</i> a messenger, herald.\r\n"
    "#<b>&a-long;rian</b> <i>wk. v.</i> to honour, spare; cp. &a-long;r, <b>&aelig;cer</b> q.v.\r\n"
    "#<b>b&aelig;ron</b> <i>pret. pl.</i> of <b>beran</b>.\r\n"
    "#<b>beran</b> <i>st. v.</i> to bear, carry; see <i>bringan</i>; to see, look; <i>caus. v.</i> boren.\r\n"
    "@wh_b0002\r\n"
    "#<b>boren</b> <i>pp.</i>\xA0of beran; v. also &lt;b&gt;&aelig;cras&lt;/b&gt;, cf. beran, <b>V.</b> "
    "beran.\r\n"
    "#<b>ge-beran</b> <i>st. v.</i> beran, to bear, <i>Ps.</i>\r\n@wh_b0003\r\n 4, 2; <i>f.</i> of old "
    "age.\r\n"
    "#<b>onb&i-long;dan</b> <i>st. v.</i> to wait, abide; see onb&i-long;dan, &thorn;one = <i>to</i>.\r\n"
    "#<b>t&o-long;</b> <i>prep.</i> to, towards, <i>Beo.</i> 1; spelling of a word; = ge&beran";

} // namespace

TEST_F(LinkIndexTest, ReadsEachMarkerOfRealLookingEntries) {
    open(kDictionary);
    // "=" before a bold word; the headword's hyphen is no matter.
    EXPECT_EQ(shownLinks(u"ābīdan"), QStringList{u"onbīdan>onbīdan"_qs});
    EXPECT_EQ(shownLinks(u"āblāwung"), QStringList{u"āblāwnes>āblāw-nes"_qs});
    // "v." (its letter in italics) before an italic word; "cf. Gk.", "v. AR" and "v. A" name books.
    EXPECT_EQ(shownLinks(u"æcras"), QStringList{u"æcer>æcer"_qs});
    EXPECT_EQ(shownLinks(u"æcer"), QStringList());
    // "cp." to the first of two homographs; "q.v." takes the word before it.
    EXPECT_EQ(shownLinks(u"ārian"), (QStringList{u"ār>ār"_qs, u"æcer>æcer"_qs}));
    // A form label before "of", the label in its own italic run; "see" at a clause's start only,
    // and "bringan" is no headword; "caus. v." is a label in one italic run.
    EXPECT_EQ(shownLinks(u"bæron"), QStringList{u"beran>beran"_qs});
    EXPECT_EQ(shownLinks(u"beran"), QStringList{u"@wh_b0002"_qs});
    // "v. also" before a word made bold by tags written as entities; "V." numbers a sense.
    EXPECT_EQ(shownLinks(u"boren"), (QStringList{u"beran>beran"_qs, u"æcras>æcras"_qs, u"beran>beran"_qs}));
    // "st. v." is a label; a page marker mid-sentence; "f. of" is a gloss.
    EXPECT_EQ(shownLinks(u"ge-beran"), QStringList{u"@wh_b0003"_qs});
    // No link to the entry itself; "= to" is English.
    EXPECT_EQ(shownLinks(u"onbīdan"), QStringList());
    // "spelling of a" is English; "ge&beran" shows as written (an '&' with no ';' after it), and
    // "ge" is no headword.
    EXPECT_EQ(shownLinks(u"tō"), QStringList());
    EXPECT_EQ(shownLinks(u"ār", 0), QStringList());
}

TEST_F(LinkIndexTest, AVerbLabelInItalicsIsReadWhereverItsRunCloses) {
    // "caus." is no verb label of the list: only a "v." in one italic run with it is a label. The
    // run's closing tag may stand far beyond the marker's word, or nowhere (then nothing is
    // italic).
    const QByteArray gloss = " to cause to bear, to carry off, to lead away" + QByteArray(300, '.');
    open("#<b>beran</b> x\r\n"
         "#<b>ge-beran</b> <i>caus. v. beran" +
         gloss +
         "</i> end\r\n"
         "#<b>on-beran</b> <i>caus. v. beran" +
         gloss +
         " end\r\n"
         "#<b>&thorn;urh-beran</b> <i>caus.</i> v. beran" +
         gloss + "</i>");
    EXPECT_EQ(shownLinks(u"ge-beran"), QStringList());
    EXPECT_EQ(shownLinks(u"on-beran"), QStringList{u"beran>beran"_qs});
    EXPECT_EQ(shownLinks(u"þurh-beran"), QStringList{u"beran>beran"_qs});
}

TEST_F(LinkIndexTest, OffersTheOtherHomographsAndListsWhatRefersToAnEntry) {
    open(kDictionary + "\r\n#<b>weor&eth;</b> <i>n.</i> worth = <b>beran</b>");
    const LinkIndex::Link& toAr = links->linksOf(start(u"ārian")).front();
    EXPECT_EQ(toAr.target, start(u"ār", 0));
    EXPECT_EQ(std::vector<std::int32_t>(links->homographs(toAr).begin(), links->homographs(toAr).end()),
              std::vector<std::int32_t>{start(u"ār", 1)});
    // The link at the very end of the text.
    EXPECT_EQ(shownLinks(u"weorð"), QStringList{u"beran>beran"_qs});
    // The homograph links to the other ār, and to weorð.
    EXPECT_EQ(shownLinks(u"ār", 0), QStringList{u"weorð>weorð"_qs});

    const auto referrers = [&](QStringView headword) {
        const auto list = links->referrers(start(headword));
        return std::vector<std::int32_t>(list.begin(), list.end());
    };
    // In file order, each entry once although boren names beran twice.
    EXPECT_EQ(referrers(u"beran"),
              (std::vector<std::int32_t>{start(u"bæron"), start(u"boren"), start(u"weorð")}));
    EXPECT_EQ(referrers(u"æcer"), (std::vector<std::int32_t>{start(u"æcras"), start(u"ārian")}));
    EXPECT_TRUE(referrers(u"ābīdan").empty());
    EXPECT_TRUE(links->referrers(12345).empty());
    EXPECT_TRUE(links->linksOf(12345).empty());
    EXPECT_EQ(links->entryLinkCount(), 11);
}

TEST_F(LinkIndexTest, ResolvesThroughAPluggedInResolver) {
    open(kDictionary);
    // As a form analysis would: "bringan" is no headword, but say it names boren, then beran.
    const LinkResolver plain = headwordResolver(index);
    const auto lineOf = [&](QStringView headword) {
        return std::lower_bound(index.offsets.begin(), index.offsets.end(), start(headword)) -
               index.offsets.begin();
    };
    const LinkIndex withForms(*text, index, [&](QStringView word, std::vector<qsizetype>& lines) {
        if (word == u"bringan") {
            lines.insert(lines.end(), {lineOf(u"beran"), lineOf(u"boren"), lineOf(u"boren")});
        }
        plain(word, lines);
    });
    // Its own line and the repeat are dropped.
    const auto fromBeran = withForms.linksOf(start(u"beran"));
    ASSERT_EQ(fromBeran.size(), 2u);
    EXPECT_EQ(fromBeran[0].target, start(u"boren"));
    EXPECT_TRUE(withForms.homographs(fromBeran[0]).empty());
    EXPECT_TRUE(fromBeran[1].isPage());
    EXPECT_EQ(withForms.referrers(start(u"boren")).size(), 1u);
}

TEST_F(LinkIndexTest, NamesHeadwordsByTheirFirstWordWithOrWithoutTheLettersInParentheses) {
    open("#<b>m&o-long;d</b> w\r\n#<b>(ge)b&i-long;dan</b> x\r\n#<b>I. sp&aelig;c</b> y\r\n#<b>&a-long;bl&a-long;w\xB7nes</b> z\r\n"
         "#<b>ge-s&e-long;can</b> a\r\n#<b>s&e-long;can</b> b\r\n"
         "#<b>n</b> = b&i-long;dan, = geb&i-long;dan; = sp&aelig;c, = Sp&aelig;c, = &aelig;bl&aelig;wnes, = "
         "ablawnes; "
         "= (ge)s&e-long;can, = (ge)bidan, = ge\xB7s&e-long;can, = s&e-long;(c)an; cp. mod. acre; = m&o-long;d.");
    EXPECT_EQ(shownLinks(u"n"),
              (QStringList{u"bīdan>(ge)bīdan"_qs, u"gebīdan>(ge)bīdan"_qs, u"spæc>I. spæc"_qs,
                           u"Spæc>I. spæc"_qs, u"ablawnes>āblāw·nes"_qs, u"(ge)sēcan>ge-sēcan"_qs,
                           u"(ge)bidan>(ge)bīdan"_qs, u"ge·sēcan>ge-sēcan"_qs, u"sē(c)an>sēcan"_qs,
                           u"mōd>mōd"_qs}));
    EXPECT_EQ(spellingKey(u"Āblāw-nes"), u"ablawnes"_qs);
    EXPECT_EQ(spellingKey(u"ge·ðēod"), u"geþeod"_qs);

    // One key with the form analysis: ȝ is g and k is c, but a headword spelt as the word is
    // written comes before the others of its key.
    open("#<b>&yogh;irc</b> a\r\n#<b>girc</b> b\r\n#<b>cyning</b> c\r\n"
         "#<b>n</b> = girc, = &yogh;irc, v. kyning, = Cyning; end.");
    EXPECT_EQ(shownLinks(u"n"),
              (QStringList{u"girc>girc"_qs, u"ȝirc>ȝirc"_qs, u"kyning>cyning"_qs, u"Cyning>cyning"_qs}));
    const LinkIndex::Link& toGirc = links->linksOf(start(u"n")).front();
    ASSERT_EQ(links->homographs(toGirc).size(), 1u);
    EXPECT_EQ(links->homographs(toGirc)[0], start(u"ȝirc"));
}

// Whole dictionaries of random entries: the index, which reads markers only where raw bytes hint
// at one and shows only the bytes it needs, against every entry formatted in full and read
// everywhere.
TEST_F(LinkIndexTest, EqualsReadingEveryEntryFormattedInFull) {
    const std::vector<QByteArray> heads = {
        "&a-long;r",   "&a-long;r",        "&aelig;cer",   "beran",     "ge-beran",
        "b&aelig;ron", "(ge)b&i-long;dan", "I. t&o-long;", "weor&eth;", "&a-long;bl&a-long;w-nes"};
    const std::vector<QByteArray> words = {"&a-long;r",
                                           "acer",
                                           "&AElig;cer",
                                           "beran",
                                           "geberan",
                                           "bidan",
                                           "geb&i-long;dan",
                                           "to",
                                           "t&o-long;",
                                           "weor&thorn;",
                                           "&a-long;bl&a-long;wnes",
                                           "bringan",
                                           "a",
                                           "Gk",
                                           "V",
                                           "(ge)bidan",
                                           "s&e-long;(c)an"};
    // Words, markers and what stands near them, punctuation and markup, joined by separators.
    const std::vector<QByteArray> markers = {"=",    "v.",     "<i>v</i>.", "cp.",  "Cf.",   "see",   "See",
                                             "q.v.", "(q.v.)", "of",        "also", "pp.",   "pret.", "3",
                                             "sg.",  "f.",     "form",      "wk.",  "caus.", "V."};
    const std::vector<QByteArray> others = {";",          ",",    ".",      "(",        "&lt;b&gt;",
                                            "&lt;/b&gt;", "&lt;", "<<b>b>", "&amp;",    "&x",
                                            "&",          "<",    "\xB7",   "@wh_c0001"};
    const std::vector<std::vector<QByteArray>> pieces = {words, markers, markers, others};
    const std::vector<QByteArray> separators = {
        " ", " ", " ", " ", " ", "", "", "\r\n", "\xA0", "<i>", "</i>", "<b>", "</b>", "\r\n@wh_b0009\r\n"};
    std::mt19937 rng(20250613);
    std::size_t linked = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = "@wh_b0001\r\n";
        const int entries = std::uniform_int_distribution<int>(1, 12)(rng);
        for (int e = 0; e < entries; ++e) {
            bytes += "#<b>" + pick(rng, heads) + "</b>";
            // Some entries long enough that only their beginning is read.
            const int count = std::uniform_int_distribution<int>(0, rng() % 4 ? 60 : 300)(rng);
            for (int k = 0; k < count; ++k) {
                bytes += pick(rng, separators) + pick(rng, pick(rng, pieces));
            }
            if (rng() % 4) bytes += "\r\n";
        }
        open(bytes);
        const std::vector<ReferenceLink> expected = linksReadInFull(*text, index, headwordResolver(index));
        const std::vector<ReferenceLink> held = linksHeld(*links);
        linked += held.size();
        ASSERT_EQ(held.size(), expected.size()) << bytes.toStdString();
        for (std::size_t k = 0; k < held.size(); ++k) {
            ASSERT_EQ(held[k], expected[k]) << "link " << k << " (entry " << held[k].from << ", "
                                            << held[k].text.toStdString() << ") of:\n"
                                            << bytes.toStdString();
        }
        for (const std::int32_t to : index.offsets) {
            std::vector<std::int32_t> froms;
            for (const ReferenceLink& link : expected) {
                if (link.target == to && (froms.empty() || froms.back() != link.from)) {
                    froms.push_back(link.from);
                }
            }
            const auto got = links->referrers(to);
            EXPECT_EQ(std::vector<std::int32_t>(got.begin(), got.end()), froms) << "entry " << to;
        }
    }
    EXPECT_GT(linked, 2000u);
}

TEST(DictionaryLinks, AreMadeOnFirstUseFromTheOpenText) {
    TempDir dir;
    const std::unique_ptr<Dictionary> dictionary =
        Dictionary::load(dir.write(u"d.txt"_qs, "#<b>ab</b> = cd\r\n#<b>cd</b> x"));
    const LinkIndex& links = dictionary->links();
    EXPECT_EQ(&links, &dictionary->links());
    ASSERT_EQ(links.all().size(), 1u);
    EXPECT_EQ(links.all()[0].from, 4);
    EXPECT_EQ(links.all()[0].pos, 5);
    EXPECT_EQ(links.all()[0].target, dictionary->index().offsets[1]);
    EXPECT_TRUE(Dictionary().links().all().empty());
}

TEST(DictionaryLinks, AWordNoHeadwordNamesLeadsToTheHeadwordItIsAFormOf) {
    TempDir dir;
    const std::unique_ptr<Dictionary> dictionary = Dictionary::load(dir.write(
        u"d.txt"_qs, "#<b>cyning</b> <i>m.</i> a king.\r\n#<b>beran</b> <i>st. v.</i> to bear.\r\n"
                     "#<b>cyninges</b> <i>m.</i> v. cyning.\r\n"
                     "#<b>cynedōm</b> <i>m.</i> kingdom; v. cyninga, cp. b&aelig;ron, = cyninges; "
                     "v. blorptig.\r\n"));
    const LinkIndex& links = dictionary->links();
    const EntryIndex& index = dictionary->index();
    QStringList shown;
    for (const LinkIndex::Link& link : links.linksOf(index.offsets[3])) {
        const auto line = std::lower_bound(index.offsets.begin(), index.offsets.end(), link.target);
        shown << link.text + u'>' + index.headword(line - index.offsets.begin());
    }
    // "cyninga" (gen. pl.) and "bǣron" (pret. pl.) through the forms; "cyninges" is a headword of
    // its own, which comes first; "blorptig" names nothing.
    EXPECT_EQ(shown, (QStringList{u"cyninga>cyning"_qs, u"bæron>beran"_qs, u"cyninges>cyninges"_qs}));
}
