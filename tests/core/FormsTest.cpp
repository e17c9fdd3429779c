// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Form analysis: the grammar's paradigms run backwards against a dictionary written from
// tests/data/forms/paradigms.txt, a forward inflector of made-up verbs and nouns as the slow
// reference for the rules, and the index's own promises (only headwords, exact first).
#include "Dictionary.h"
#include "QtPrinters.h"
#include "TempFiles.h"
#include "language/EntryHead.h"
#include "language/FirstGloss.h"
#include "language/FormIndex.h"
#include "language/FormRules.h"
#include "language/Spelling.h"
#include "language/Words.h"
#include "search/SearchTerm.h"
#include "text/CodePage.h"
#include "text/EntryIndex.h"
#include "text/Folding.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {

struct ParadigmLine {
    QString headword;
    QString labels;
    QString gloss;
    QStringList forms;
};

std::vector<ParadigmLine> readParadigms() {
    const QString text =
        QString::fromUtf8(wordhoard::testing::readTestData(QStringLiteral("forms/paradigms.txt")));
    std::vector<ParadigmLine> lines;
    for (const QString& line : text.split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
        const QStringList fields = line.split(u'|');
        if (fields.size() != 4) throw std::runtime_error("bad paradigm line: " + line.toStdString());
        lines.push_back({fields[0].trimmed(), fields[1].trimmed(), fields[2].trimmed(),
                         fields[3].split(u' ', Qt::SkipEmptyParts)});
    }
    return lines;
}

// Dictionary markup for `text`: letters the code page lacks as entities.
QByteArray markup(const QString& text) {
    const std::optional<QByteArray> bytes = narrow(encodeEntities(text));
    if (!bytes) throw std::runtime_error("no markup for " + text.toStdString());
    return *bytes;
}

// One entry a line, its labels in italic on every other line and in roman on the rest.
QByteArray dictionaryOf(const std::vector<ParadigmLine>& lines) {
    QByteArray out = "@wh_b0001\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParadigmLine& l = lines[i];
        out += "#<b>" + markup(l.headword) + "</b> ";
        if (!l.labels.isEmpty()) out += i % 2 ? "<i>" + markup(l.labels) + "</i> " : markup(l.labels) + " ";
        out += markup(l.gloss) + ".\r\n";
    }
    return out;
}

std::unique_ptr<Dictionary> loadDictionary(const TempDir& dir, const QByteArray& bytes) {
    auto dictionary = Dictionary::load(dir.write(QStringLiteral("d.txt"), bytes));
    if (!dictionary->opened()) throw std::runtime_error("the test dictionary did not open");
    return dictionary;
}

// Where `headword` stands among the candidates of `form` (-1: not at all).
int rankOf(const FormIndex& forms, const QString& form, const QString& headword,
           std::size_t* count = nullptr) {
    const std::vector<FormCandidate> candidates = forms.candidates(form);
    if (count) *count = candidates.size();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].headword == headword) return static_cast<int>(i);
    }
    return -1;
}

// How the paradigm forms fare among their candidates: how often the right headword comes first or
// among the first three, the candidates a form gives, and the forms that miss their headword.
struct ParadigmScore {
    int total = 0;
    int first = 0;
    int firstThree = 0;
    std::size_t candidates = 0;
    QStringList missed;
    double top1() const { return 100.0 * first / total; }
    double top3() const { return 100.0 * firstThree / total; }
    double average() const { return static_cast<double>(candidates) / total; }
};

ParadigmScore scoreParadigms(const FormIndex& forms, const std::vector<ParadigmLine>& lines) {
    ParadigmScore score;
    for (const ParadigmLine& line : lines) {
        for (const QString& form : line.forms) {
            std::size_t count = 0;
            const int rank = rankOf(forms, form, line.headword, &count);
            ++score.total;
            score.candidates += count;
            score.first += rank == 0;
            score.firstThree += rank >= 0 && rank < 3;
            if (rank < 0) score.missed << form + QStringLiteral(" should give ") + line.headword;
            if (rank != 0 && qEnvironmentVariableIsSet("WORDHOARD_FORMS_REPORT")) {
                std::printf("%s -> %s at %d:", qPrintable(form), qPrintable(line.headword), rank);
                for (const auto& x : forms.candidates(form))
                    std::printf(" [%s %s %d]", qPrintable(x.headword), qPrintable(x.analysis), x.cost);
                std::printf("\n");
            }
        }
    }
    return score;
}

} // namespace

TEST(FormParadigms, EveryFormFindsItsHeadwordAndMostRankItFirst) {
    const std::vector<ParadigmLine> lines = readParadigms();
    TempDir dir;
    const auto dictionary = loadDictionary(dir, dictionaryOf(lines));
    const ParadigmScore score = scoreParadigms(dictionary->forms(), lines);
    EXPECT_TRUE(score.missed.isEmpty()) << score.missed.join(u'\n').toStdString();
    std::printf(
        "paradigm forms: %d, right headword first %.1f%%, among the first three %.1f%%, %.2f candidates "
        "a form\n",
        score.total, score.top1(), score.top3(), score.average());
    EXPECT_GE(score.top1(), 85.0);
    EXPECT_GE(score.top3(), 97.0);
    EXPECT_LE(score.average(), 4.0);
}

// The same forms with a generated dictionary of made-up headwords beside the real ones: near misses
// by the thousand, with labels chosen at random.
TEST(FormParadigms, AGeneratedDictionaryBesideThemAddsFewCandidates) {
    const std::vector<ParadigmLine> lines = readParadigms();
    TempDir dir;
    const int entries = qEnvironmentVariableIntValue("WORDHOARD_FORMS_NEAR_MISSES") > 0
                            ? qEnvironmentVariableIntValue("WORDHOARD_FORMS_NEAR_MISSES")
                            : 20000;
    const QByteArray generated = wordhoard::testing::generateDictionary(dir, entries, 7);
    const auto dictionary = loadDictionary(dir, dictionaryOf(lines) + generated);
    const ParadigmScore score = scoreParadigms(dictionary->forms(), lines);
    std::printf("with %d generated entries: right headword first %.1f%%, among the first three %.1f%%, %.2f "
                "candidates a form\n",
                entries, score.top1(), score.top3(), score.average());
    EXPECT_GE(score.top1(), 80.0);
    EXPECT_GE(score.top3(), 95.0);
    EXPECT_LE(score.average(), 4.0);
}

TEST(FormLabels, WordClassesAndReferencesAreReadFromTheEntrysStart) {
    using P = WordClass::Part;
    struct Case {
        const char16_t* head;
        int parts;
        int strongClass;
        int weakClass;
        const char16_t* rest; // what follows the labels
        const char16_t* target;
        const char16_t* analysis;
    };
    const Case cases[] = {
        {u" m. a king", P::Masc, 0, 0, u"a king", u"", u""},
        {u" m., n. life", P::Masc | P::Neut, 0, 0, u"life", u"", u""},
        {u" m. pl. men", P::Masc, 0, 0, u"men", u"", u""},
        {u" num., adj. one", P::Numeral | P::Adj, 0, 0, u"one", u"", u""},
        {u" st. v. to bear", P::Verb | P::Strong, 0, 0, u"to bear", u"", u""},
        {u" sv3 to bind", P::Verb | P::Strong, 3, 0, u"to bind", u"", u""},
        {u" sv. 4 to bear", P::Verb | P::Strong, 4, 0, u"to bear", u"", u""},
        {u" st. v. VII to fall", P::Verb | P::Strong, 7, 0, u"to fall", u"", u""},
        {u" wv\u00B2 to love", P::Verb | P::Weak, 0, 2, u"to love", u"", u""},
        {u" wk. v. 1 to judge", P::Verb | P::Weak, 0, 1, u"to judge", u"", u""},
        {u" pret.-pres. v. (pres. \u0101h) to own", P::Verb | P::PretPres, 0, 0, u"(pres. \u0101h) to own",
         u"", u""},
        {u" II. adj. good", P::Adj, 0, 0, u"good", u"", u""},
        {u" (\u0113, \u012B) wv1 to hear", P::Verb | P::Weak, 0, 1, u"to hear", u"", u""},
        {u" m. and f. a bend", P::Masc | P::Fem, 0, 0, u"a bend", u"", u""},
        // "v." before one word alone refers; before a gloss it is a verb's label
        {u" v. \u00E6cer.", 0, 0, 0, u"v. \u00E6cer.", u"\u00E6cer", u"cross-reference"},
        {u" v. to go, walk", P::Verb, 0, 0, u"to go, walk", u"", u""},
        {u" pp. of \u0101-bregdan", 0, 0, 0, u"pp. of \u0101-bregdan", u"\u0101-bregdan", u"pp."},
        {u" pret. 3 sg. of I. \u0101b\u016Bgan", 0, 0, 0, u"pret. 3 sg. of I. \u0101b\u016Bgan",
         u"\u0101b\u016Bgan", u"pret. 3 sg."},
        {u" wv1 = \u0101bilgan", P::Verb | P::Weak, 0, 1, u"= \u0101bilgan", u"\u0101bilgan", u"variant"},
        // abbreviations before "of" only: a gloss with "of" in it is no reference
        {u" adj. full of grace", P::Adj, 0, 0, u"full of grace", u"", u""},
        {u" the son of God", 0, 0, 0, u"the son of God", u"", u""},
        {u"", 0, 0, 0, u"", u"", u""},
    };
    for (const Case& c : cases) {
        const QString head = QString::fromUtf16(c.head);
        const EntryHead read = readEntryHead(head);
        SCOPED_TRACE(head.toStdString());
        EXPECT_EQ(read.wordClass.parts, c.parts);
        EXPECT_EQ(read.wordClass.strongClass, c.strongClass);
        EXPECT_EQ(read.wordClass.weakClass, c.weakClass);
        EXPECT_EQ(head.sliced(read.labelsEnd).trimmed(), QString::fromUtf16(c.rest));
        EXPECT_EQ(read.referenceTarget, QString::fromUtf16(c.target));
        EXPECT_EQ(read.referenceAnalysis, QString::fromUtf16(c.analysis));
    }
}

TEST(FormLabels, TheFirstGlossIsTheFirstSenseAfterTheLabels) {
    const std::pair<const char*, const char16_t*> cases[] = {
        {"#<b>&a-long;c</b> <i>f.</i> (<i>gen.</i> and <i>dat.</i> &aelig;c) an oak; the rune", u"an oak"},
        {"#<b>ac</b> <i>conj.</i> but, and yet; in questions", u"but, and yet"},
        {"#<b>&a-long;</b> <i>adv.</i> ever, always, at all times: <i>&a-long; for&eth;</i>",
         u"ever, always, at all times"},
        {"#<b>cyning</b> m. [cf. <i>cynn</i>] a king.\r\n#<b>x</b> y", u"a king"},
        {"#<b>&aelig;cras</b> v. &aelig;cer.", u"v. \u00E6cer"},
        {"#<b>bindan</b> <i>sv3</i> to bind, tie\r\n<b>I.</b> more", u"to bind, tie"},
        {"#<b>(x)</b> (only an aside)", u"(only an aside)"},
        {"#<b>bindan</b> sv3 1. to bind; 2. to tie", u"to bind"},
        {"#<b>bindan</b> sv3 (I) to bind", u"to bind"},
        {"#<b>I</b> 1914 was a year", u"1914 was a year"},
        {"#<b>nothing</b>", u""},
    };
    for (const auto& [dict, gloss] : cases) {
        TMapTextfile text;
        ASSERT_EQ(text.OpenBytes(QByteArrayView(dict)), 0);
        EXPECT_EQ(firstGloss(text, 4), QString::fromUtf16(gloss)) << dict;
    }
}

TEST(FormSpelling, KeysFoldVariantsMergeAndHomographNumbersGo) {
    EXPECT_EQ(spellingKey(u"Cynin\u021Des"), u"cyninges"_qs);
    EXPECT_EQ(spellingKey(u"\u0101-berd"), u"aberd"_qs);
    EXPECT_EQ(spellingKey(u"\u0121e\u00B7s\u01E3li\u0121"), u"ges\u00E6lig"_qs);
    EXPECT_EQ(spellingKey(u"\u00D0\u01BFer k"), u"\u00FEwerc"_qs);
    EXPECT_EQ(spellingKey(u"a\u0304d"), u"ad"_qs);
    EXPECT_EQ(spellingMarks(u"g\u014Ddes"), 0b10u);
    EXPECT_EQ(spellingMarks(u"go\u0304des"), 0b10u);
    EXPECT_EQ(spellingMarks(u"\u0101-b\u0113r"), 0b101u);
    EXPECT_EQ(spellingMarks(u"godes"), 0u);

    EXPECT_EQ(variantKey(u"hieran"), variantKey(u"hyran"));
    EXPECT_EQ(variantKey(u"hieran"), variantKey(u"hiran"));
    EXPECT_EQ(variantKey(u"lond"), u"land"_qs);
    EXPECT_EQ(variantKey(u"mann"), u"man"_qs);
    EXPECT_EQ(variantKey(u"mon"), u"man"_qs);
    EXPECT_EQ(variantKey(u"\u00E6fter"), u"efter"_qs);
    EXPECT_EQ(variantKey(u"liornung"), u"leornung"_qs);
    EXPECT_EQ(variantKey(u"b\u00E6ron"), u"beron"_qs); // an ending's -on is no "-an"

    EXPECT_EQ(headwordKeys(u"I. g\u014Dd"), QStringList{u"god"_qs});
    EXPECT_EQ(headwordKeys(u"g\u014Dd II."), QStringList{u"god"_qs});
    EXPECT_EQ(headwordKeys(u"bana 2"), QStringList{u"bana"_qs});
    EXPECT_EQ(headwordKeys(u"d\u00E6g (d\u00E6ges)"), QStringList{u"d\u00E6g"_qs});
    EXPECT_EQ(headwordKeys(u"s\u0113, s\u0113o, \u00FE\u00E6t"),
              (QStringList{u"se"_qs, u"seo"_qs, u"\u00FE\u00E6t"_qs}));
    EXPECT_EQ(headwordKeys(u"\u0101bl\u0101w-nes"), QStringList{u"ablawnes"_qs});
    EXPECT_TRUE(headwordKeys(u"II.").isEmpty());
}

TEST(FormIndexTest, ExactHeadwordsAndReferencesComeFirstAndOnlyHeadwordsAreOffered) {
    const QByteArray dict = "@wh_b0001\r\n"
                            "#<b>sang</b> <i>m.</i> a song.\r\n"
                            "#<b>singan</b> sv3 to sing.\r\n"
                            "#<b>&aelig;cer</b> m. a field.\r\n"
                            "#<b>&aelig;cras</b> v. &aelig;cer.\r\n"
                            "#<b>hw&aelig;t</b> pron. what.\r\n"
                            "#<b>h&y-long;ran</b> wv1 to hear.\r\n"
                            "#<b>I. g&o-long;d</b> adj. good.\r\n"
                            "#<b>god</b> m. God.\r\n";
    TempDir dir;
    const auto dictionary = loadDictionary(dir, dict);
    const FormIndex& forms = dictionary->forms();
    const auto headwords = [&](const QString& word) {
        QStringList out;
        for (const FormCandidate& c : forms.candidates(word))
            out.append(c.headword + u':' + c.analysis);
        return out;
    };
    // A word that is a headword and a form of another: the headword first.
    EXPECT_EQ(headwords(u"sang"_qs),
              (QStringList{u"sang:headword"_qs, u"singan:past sg., strong verb III"_qs}));
    // A reference entry gives the headword it names, then itself.
    EXPECT_EQ(headwords(u"\u00E6cras"_qs),
              (QStringList{u"\u00E6cer:cross-reference"_qs, u"\u00E6cras:headword"_qs}));
    // Spelling variants: the whole word, or a reading, under another spelling.
    EXPECT_EQ(headwords(u"h\u012Bran"_qs), QStringList{u"h\u0233ran:variant spelling"_qs});
    EXPECT_EQ(headwords(u"h\u012Brde"_qs),
              QStringList{u"h\u0233ran:past sg., weak verb I, variant spelling"_qs});
    EXPECT_EQ(headwords(u"H\u01BF\u00C6T"_qs), QStringList{u"hw\u00E6t:headword"_qs});
    EXPECT_EQ(headwords(u"hwet"_qs), QStringList{u"hw\u00E6t:variant spelling"_qs});
    // The typed length marks choose between headwords that fold alike.
    EXPECT_EQ(headwords(u"g\u014Ddes"_qs).value(0), u"I. g\u014Dd:gen. sg. masc./neut., strong adj."_qs);
    EXPECT_EQ(headwords(u"godes"_qs).value(0), u"god:gen. sg., strong masc."_qs);
    // No candidate: no headword, or a reading whose headword's labels rule it out.
    EXPECT_TRUE(headwords(u"xyzzy"_qs).isEmpty());
    EXPECT_TRUE(headwords(u"--"_qs).isEmpty());
    EXPECT_TRUE(headwords(u"singanes"_qs).isEmpty()); // a noun's ending on a verb
    // Every candidate carries its entry's start and line.
    for (const FormCandidate& c : forms.candidates(u"cyninges"_qs)) {
        EXPECT_EQ(dictionary->index().offsets[static_cast<std::size_t>(c.line)], c.start);
    }
    EXPECT_TRUE(FormIndex().candidates(u"sang"_qs).empty());
}

namespace {

// A made-up headword of one class, its labels, and the forms a grammar's tables give it. The
// inflector spells the tables out forward, one class at a time, and is all the reference the
// backward rules are held to.
struct MadeUp {
    QString headword;
    QString labels;
    QStringList forms;
};

class Inflector {
public:
    explicit Inflector(std::uint32_t seed) : m_random(seed) {}

    MadeUp next() {
        switch (pick(12)) {
        case 0: { // strong masculine: stān stānes ... (dæg dagas with æ)
            const bool ae = pick(3) == 0;
            const QString stem = onset() + (ae ? u"\u00E6"_qs : longVowel()) + (ae ? single() : coda());
            QString back = stem;
            if (ae) back.replace(u'\u00E6', u'a');
            return {stem,
                    u"m."_qs,
                    {stem + u"es"_qs, stem + u"e"_qs, back + u"as"_qs, back + u"a"_qs, back + u"um"_qs}};
        }
        case 1: { // strong neuter, short: scip scipu; long: word word
            const QString stem = onset() + shortVowel() + single();
            return {stem,
                    u"n."_qs,
                    {stem + u"es"_qs, stem + u"e"_qs, stem + u"u"_qs, stem + u"a"_qs, stem + u"um"_qs}};
        }
        case 2: { // strong feminine, long: lār lāre
            const QString stem = onset() + longVowel() + coda();
            return {stem, u"f."_qs, {stem + u"e"_qs, stem + u"a"_qs, stem + u"um"_qs}};
        }
        case 3: { // weak masculine and feminine: guma guman, tunge tungan
            const QString stem = onset() + shortVowel() + coda();
            const bool masc = pick(2) == 0;
            return {stem + (masc ? u"a"_qs : u"e"_qs),
                    masc ? u"m."_qs : u"f."_qs,
                    {stem + u"an"_qs, stem + u"ena"_qs, stem + u"um"_qs}};
        }
        case 4: { // adjective: heard heardne heardes heardum heardra heardost
            const QString stem = onset() + longVowel() + coda();
            return {stem,
                    u"adj."_qs,
                    {stem + u"ne"_qs, stem + u"es"_qs, stem + u"um"_qs, stem + u"re"_qs, stem + u"ost"_qs}};
        }
        case 5: // strong verbs: the seven ablaut series
        case 6:
        case 7:
            return strongVerb();
        case 8: { // weak I with a long stem: dēman dēmde dēmdon gedēmed dēmþ
            const QString pre = prefix();
            const QString stem = onset() + u"\u0113"_qs + QString(u"lmnr"[pick(4)]);
            return {headwordPrefix(pre) + stem + u"an"_qs,
                    label(u"wv1"_qs, u"wk. v."_qs),
                    {pre + stem + u"de"_qs, pre + stem + u"don"_qs, participlePrefix(pre) + stem + u"ed"_qs,
                     pre + stem + u"\u00FE"_qs}};
        }
        case 9: { // weak II: lufian lufode lufodon gelufod lufaþ lufiende
            const QString pre = prefix();
            const QString stem = onset() + shortVowel() + coda();
            return {headwordPrefix(pre) + stem + u"ian"_qs,
                    label(u"wv2"_qs, u"wk. v."_qs),
                    {pre + stem + u"ode"_qs, pre + stem + u"odon"_qs, participlePrefix(pre) + stem + u"od"_qs,
                     pre + stem + u"a\u00FE"_qs, pre + stem + u"iende"_qs}};
        }
        case 10: { // the present of any verb: bindan binde bindaþ binden bindende
            const QString stem = onset() + shortVowel() + coda();
            return {stem + u"an"_qs,
                    u"v."_qs,
                    {stem + u"e"_qs, stem + u"a\u00FE"_qs, stem + u"en"_qs, stem + u"ende"_qs}};
        }
        default: { // nouns with a syncopated second syllable: engel engles, hēafod hēafdu
            const QString first = onset() + longVowel();
            const QString c1 = QString(u"dfgþ"[pick(4)]), c2 = QString(u"lnr"[pick(3)]);
            const QString stem = first + c1 + u"e"_qs + c2;
            const QString short_ = first + c1 + c2;
            return {stem, u"m."_qs, {short_ + u"es"_qs, short_ + u"as"_qs, short_ + u"um"_qs}};
        }
        }
    }

private:
    int pick(int n) { return static_cast<int>(m_random() % static_cast<std::uint32_t>(n)); }
    QString from(std::initializer_list<const char16_t*> items) {
        return QString::fromUtf16(items.begin()[pick(static_cast<int>(items.size()))]);
    }
    QString onset() {
        return from({u"b",      u"d",  u"f",  u"g",  u"h",  u"l",  u"m",  u"n",  u"r",  u"s",  u"t",  u"w",
                     u"\u00FE", u"sc", u"st", u"br", u"dr", u"fl", u"gr", u"hl", u"sl", u"sp", u"tr", u"wr"});
    }
    QString shortVowel() { return from({u"a", u"e", u"i", u"o", u"u", u"y"}); }
    QString longVowel() {
        return from({u"\u0101", u"\u0113", u"\u012B", u"\u014D", u"\u016B", u"\u0233", u"\u01E3", u"\u0113a",
                     u"\u0113o"});
    }
    QString single() { return from({u"d", u"l", u"m", u"n", u"r", u"t", u"f", u"p", u"c"}); }
    QString coda() {
        return from({u"d", u"l", u"m", u"n", u"r", u"t", u"\u00FE", u"c", u"f", u"rd", u"ld", u"nd", u"st",
                     u"lc", u"rn"});
    }
    QString prefix() { return from({u"", u"", u"", u"for", u"on", u"\u0101"}); }
    // The dictionary writes a prefix with a hyphen after it: "ā-bēodan", "for-bēodan".
    static QString headwordPrefix(const QString& prefix) { return prefix.isEmpty() ? prefix : prefix + u'-'; }
    // A participle takes ge- where the verb has no prefix of its own: gebunden, forboden.
    static QString participlePrefix(const QString& prefix) { return prefix.isEmpty() ? u"ge"_qs : prefix; }
    // With a class number or without, as dictionaries differ.
    QString label(const QString& numbered, const QString& plain) { return pick(2) ? numbered : plain; }

    MadeUp strongVerb() {
        struct Series {
            const char16_t* present;
            const char16_t* pastSg;
            const char16_t* pastPl;
            const char16_t* participle;
            std::initializer_list<const char16_t*> codas;
        };
        static const Series series[7] = {
            {u"\u012B", u"\u0101", u"i", u"i", {u"d", u"t", u"f", u"n", u"p"}}, // bītan bāt biton biten
            {u"\u0113o", u"\u0113a", u"u", u"o", {u"d", u"t", u"p", u"c"}},     // bēodan bēad budon boden
            {u"i", u"a", u"u", u"u", {u"nd", u"ng", u"nc", u"mb"}},             // bindan band bundon bunden
            {u"e", u"\u00E6", u"\u01E3", u"o", {u"r", u"l"}},                   // beran bær bǣron boren
            {u"e", u"\u00E6", u"\u01E3", u"e", {u"t", u"c", u"p"}},       // sprecan spræc sprǣcon sprecen
            {u"a", u"\u014D", u"\u014D", u"a", {u"f", u"c", u"d", u"p"}}, // faran fōr fōron faren
            {u"\u0101", u"\u0113", u"\u0113", u"\u0101", {u"t", u"p", u"c", u"d"}}, // hātan hēt hēton hāten
        };
        const int verbClass = pick(7);
        const Series& s = series[verbClass];
        const QString pre = prefix();
        const QString on = onset();
        const QString coda = QString::fromUtf16(s.codas.begin()[pick(static_cast<int>(s.codas.size()))]);
        const auto stem = [&](const char16_t* vowel) { return on + QString::fromUtf16(vowel) + coda; };
        static const char16_t* const roman[] = {u"1", u"2", u"3", u"4", u"5", u"6", u"7"};
        return {headwordPrefix(pre) + stem(s.present) + u"an"_qs,
                label(u"sv"_qs + QString::fromUtf16(roman[verbClass]), u"st. v."_qs),
                {pre + stem(s.pastSg), pre + stem(s.pastPl) + u"on"_qs, pre + stem(s.pastPl) + u"e"_qs,
                 participlePrefix(pre) + stem(s.participle) + u"en"_qs,
                 pre + stem(s.present) + u"e\u00FE"_qs}};
    }

    std::mt19937 m_random;
};

} // namespace

TEST(FormRoundTrip, EveryFormOfMadeUpHeadwordsOfEveryClassFindsItsHeadword) {
    Inflector inflector(20261209);
    std::vector<MadeUp> words;
    for (int i = 0; i < 600; ++i)
        words.push_back(inflector.next());
    std::vector<ParadigmLine> lines;
    for (const MadeUp& w : words)
        lines.push_back({w.headword, w.labels, u"a made-up word"_qs, w.forms});
    TempDir dir;
    const auto dictionary = loadDictionary(dir, dictionaryOf(lines));
    const FormIndex& forms = dictionary->forms();
    int total = 0, missed = 0;
    for (const MadeUp& w : words) {
        for (const QString& form : w.forms) {
            ++total;
            if (rankOf(forms, form, w.headword) < 0) {
                ++missed;
                ADD_FAILURE() << form.toStdString() << " does not give " << w.headword.toStdString() << " ("
                              << w.labels.toStdString() << ")";
            }
        }
    }
    EXPECT_GT(total, 2500);
    EXPECT_EQ(missed, 0);
}

namespace {

// The keys of a headword spelt out with regular expressions, as the slow reference of the index.
QStringList slowKeys(const QString& headword) {
    QString text = headword;
    text.remove(QRegularExpression(QStringLiteral("\\([^)]*\\)")));
    QStringList keys;
    for (QString part : text.split(QRegularExpression(QStringLiteral("[,;]")))) {
        part = part.trimmed();
        part.remove(QRegularExpression(QStringLiteral("^([IVX]+|[0-9]+)\\.(\\s+|$)")));
        part.remove(QRegularExpression(QStringLiteral("\\s+([IVX]+|[0-9]+)\\.?$")));
        QString key;
        for (const QChar c : foldText(part)) {
            if (c == u'\u021D') {
                key += u'g';
            } else if (c == u'k') {
                key += u'c';
            } else if (c.isLetter()) {
                key += c;
            }
        }
        if (!key.isEmpty() && !keys.contains(key)) keys.append(key);
    }
    return keys;
}

} // namespace

TEST(FormIndexTest, KeysAndCandidatesAgreeWithASlowScanOfEveryHeadword) {
    TempDir dir;
    const QByteArray generated = wordhoard::testing::generateDictionary(dir, 3000, 3);
    const std::vector<ParadigmLine> lines = readParadigms();
    const auto dictionary = loadDictionary(dir, dictionaryOf(lines) + generated);
    const EntryIndex& index = dictionary->index();
    const FormIndex& forms = dictionary->forms();

    std::map<QString, std::vector<std::int32_t>> slow;
    std::vector<QStringList> keysOf(static_cast<std::size_t>(index.size()));
    for (qsizetype line = 0; line < index.size(); ++line) {
        keysOf[static_cast<std::size_t>(line)] = slowKeys(index.headword(line));
        for (const QString& key : keysOf[static_cast<std::size_t>(line)])
            slow[key].push_back(static_cast<std::int32_t>(line));
    }
    for (const auto& [key, expected] : slow)
        EXPECT_EQ(forms.linesWithKey(key), expected) << key.toStdString();
    EXPECT_TRUE(forms.linesWithKey(u"qqq"_qs).empty());

    // A candidate's headword is the word, a reading's headword, the same under a spelling variant,
    // or what a reference entry names; the word's own headwords are all among them.
    std::mt19937 random(11);
    for (int i = 0; i < 400; ++i) {
        const ParadigmLine& l = lines[random() % lines.size()];
        const QString word =
            l.forms.isEmpty() ? l.headword : l.forms[static_cast<qsizetype>(random() % l.forms.size())];
        const QString key = spellingKey(word);
        QSet<QString> allowed{key}, variants{variantKey(key)};
        for (const FormReading& r : readForm(key)) {
            allowed.insert(r.lemma);
            variants.insert(variantKey(r.lemma));
        }
        const std::vector<FormCandidate> candidates = forms.candidates(word);
        for (const FormCandidate& c : candidates) {
            const QStringList& keys = keysOf[static_cast<std::size_t>(c.line)];
            const bool named = std::any_of(keys.begin(), keys.end(), [&](const QString& k) {
                return allowed.contains(k) || variants.contains(variantKey(k));
            });
            // ... or a reference entry among the word's or the readings' headwords names it
            bool referred = false;
            for (const QString& k : allowed) {
                for (const std::int32_t line : slow[k]) {
                    const EntryHead head = readEntryHead(entryHeadText(
                        dictionary->text(), index.offsets[static_cast<std::size_t>(line)], 100));
                    referred = referred || (!head.referenceTarget.isEmpty() &&
                                            keys.contains(spellingKey(head.referenceTarget)));
                }
            }
            EXPECT_TRUE(named || referred) << word.toStdString() << " offers " << c.headword.toStdString();
        }
        for (const std::int32_t own : slow[key]) {
            EXPECT_TRUE(std::any_of(candidates.begin(), candidates.end(), [&](const FormCandidate& c) {
                return c.line == own;
            })) << word.toStdString();
        }
    }
}

TEST(FormWords, WordsAreRunsOfLettersAndMarksWithInnerHyphensAsARegularExpressionFindsThem) {
    const auto spans = [](const QString& text) {
        QStringList out;
        for (const WordSpan& w : splitWords(text)) out.append(text.sliced(w.pos, w.length));
        return out;
    };
    EXPECT_EQ(spans(u"Hw\u00E6t! w\u0113 G\u0101r-Dena, -ne- x--y a\u0304d"_qs),
              (QStringList{u"Hw\u00E6t"_qs, u"w\u0113"_qs, u"G\u0101r-Dena"_qs, u"ne"_qs, u"x"_qs, u"y"_qs,
                           u"a\u0304d"_qs}));
    // The slow reference: the same definition as a regular expression over code points.
    const QRegularExpression word(QStringLiteral("[\\p{L}\\p{M}]+(?:[-\\x{2010}][\\p{L}\\p{M}]+)*"));
    const char16_t alphabet[] = {u'a', u'\u00FE', u'\u0101', u'\u0304', u'-', u'\u2010', u' ', u',', u'1',
                                 u'\u00B7', u'\xD835', u'\xDC00', u'\u0391', u'\u02BC'};
    std::mt19937 random(5);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) {
            const char16_t c = alphabet[random() % std::size(alphabet)];
            if (c == u'\xD835') { // a whole surrogate pair: 𝐀, a letter outside the BMP
                text += QChar(c);
                text += QChar(u'\xDC00');
            } else if (c != u'\xDC00') {
                text += QChar(c);
            }
        }
        QStringList expected;
        for (auto it = word.globalMatch(text); it.hasNext();) expected.append(it.next().captured());
        EXPECT_EQ(spans(text), expected) << text.toStdString();
    }
}

TEST(FormIndexTest, AnyTypedTextGivesSortedCandidatesOfItsOwnDictionary) {
    const std::vector<ParadigmLine> lines = readParadigms();
    TempDir dir;
    const auto dictionary = loadDictionary(dir, dictionaryOf(lines));
    const FormIndex& forms = dictionary->forms();
    const char16_t alphabet[] = {u'a', u'e', u'o', u'n', u's', u'\u00FE', u'\u00E6', u'\u0101', u'g',
                                 u'-', u'\u0304', u' ', u'h', u'r', u'1', u'.', u'\u021D', u'y'};
    std::mt19937 random(9);
    for (int round = 0; round < 3000; ++round) {
        QString word;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) word += QChar(alphabet[random() % std::size(alphabet)]);
        const std::vector<FormCandidate> candidates = forms.candidates(word);
        EXPECT_LE(candidates.size(), 8u);
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            EXPECT_GE(candidates[i].line, 0);
            EXPECT_LT(candidates[i].line, dictionary->index().size());
            EXPECT_EQ(candidates[i].headword, dictionary->index().headword(candidates[i].line));
            if (i > 0) {
                EXPECT_LE(candidates[i - 1].cost, candidates[i].cost);
            }
        }
    }
    // A very long word is read as quickly as it is long, and finds nothing.
    EXPECT_TRUE(forms.candidates(QString(20000, u'a') + u"um"_qs).empty());
}
