// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Old English inflection run backwards: from a written form to the headwords it may be a form of.
// The endings, stem changes and ablaut series are those of the standard grammars; the irregular
// paradigms are in FormTables.cpp.
#include "language/FormRules.h"

#include "language/FormTables.h"
#include "language/Spelling.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace wordhoard {

namespace {

using P = WordClass::Part;
using SV = std::u16string_view;

QStringView view(SV s) {
    return QStringView(s.data(), static_cast<qsizetype>(s.size()));
}

void put(QString& s, QStringView part) {
    s.append(part);
}
void put(QString& s, QChar part) {
    s.append(part);
}

// Joins strings, views and letters: cat(stem, u"an"), cat(stem, u'h').
template <typename... Parts> QString cat(const Parts&... parts) {
    QString s;
    (put(s, parts), ...);
    return s;
}

constexpr FormNeed need(int parts, int strongClass = 0, int weakClass = 0) {
    return {static_cast<std::uint16_t>(parts), static_cast<std::uint8_t>(strongClass),
            static_cast<std::uint8_t>(weakClass)};
}

constexpr FormNeed kMasc = need(P::Masc);
constexpr FormNeed kFem = need(P::Fem);
constexpr FormNeed kNeut = need(P::Neut);
constexpr FormNeed kNoun = need(P::Noun);
constexpr FormNeed kMascFem = need(P::Masc | P::Fem);
constexpr FormNeed kFemNeut = need(P::Fem | P::Neut);
// Pronouns and numerals that decline as adjectives ("ǣnig", "ān") are read as adjectives.
constexpr FormNeed kAdj = need(P::Adj | P::Pronoun | P::Numeral);
constexpr FormNeed kVerb = need(P::Verb);

// The stem changes an ending allows, each undone at the price of one change unless said otherwise.
enum Change : unsigned {
    kAE = 1u << 0,       // dagas → dæg: æ became a before a back vowel (a quarter change)
    kSyncope = 1u << 1,  // engles → engel, hēafdu → hēafod, hālges → hālig
    kLostH = 1u << 2,    // fēores → feorh, mēares → mearh, scōs → scōh
    kW = 1u << 3,        // bearwes → bearu, cnēowes → cnēo (half a change)
    kGem = 1u << 4,      // nesse → nes, ealne → eall, fremest → fremman, legde → lecgan (half)
    kMut = 1u << 5,      // i-mutation: hilpþ → helpan, cymþ → cuman, lengra → lang
    kVowelEnd = 1u << 6, // only after a stem ending in a vowel: frēan → frēa, dōnde → dōn
    kDental = 1u << 7,   // a third person run together with its stem: bint → bind-, bitt → bīt-
    kDentalTh = 1u << 8, // cwiþþ → cweþ-
    // A syncopated present (bint, hilpþ, birst) has a front vowel, mutated where it could be:
    // an unchanged back vowel (bēot as "bēodeþ") is no such form.
    kFrontOnly = 1u << 9,
    kRare = 1u << 10,         // a form seldom met (the imperative): half a change more
    kChangedOnly = 1u << 11,  // the stem as it stands is no reading
    kBackVowelEnd = 1u << 12, // only after a stem ending in a, o (frēa frēan; not tunge)
};

struct Ending {
    SV form;  // the typed word's ending
    SV lemma; // the headword's ending: "an" and "ian" are infinitives
    const char* analysis;
    FormNeed need;
    unsigned changes;
};

constexpr unsigned kNounStem = kSyncope | kLostH | kW | kGem;

// Nouns, adjectives and the present of verbs. Where two analyses give the same headword the
// first one listed is shown.
constexpr std::array kEndings{
    // strong masculine nouns (cyning, stān, dæg; ende, hyge)
    Ending{u"es", u"", "gen. sg., strong masc.", kMasc, kNounStem},
    Ending{u"e", u"", "dat. sg., strong masc.", kMasc, kNounStem},
    Ending{u"as", u"", "nom./acc. pl., strong masc.", kMasc, kNounStem | kAE},
    Ending{u"a", u"", "gen. pl., strong masc.", kMasc, kNounStem | kAE},
    Ending{u"um", u"", "dat. pl., strong masc.", kMasc, kNounStem | kAE},
    Ending{u"es", u"e", "gen. sg., strong masc.", kMasc, kGem},
    Ending{u"as", u"e", "nom./acc. pl., strong masc.", kMasc, kGem},
    Ending{u"a", u"e", "gen. pl., strong masc.", kMasc, kGem},
    Ending{u"um", u"e", "dat. pl., strong masc.", kMasc, kGem},
    // strong neuters (word, scip, fæt, hēafod; rīce; lamb, ǣg with -ru)
    Ending{u"es", u"", "gen. sg., strong neut.", kNeut, kNounStem},
    Ending{u"e", u"", "dat. sg., strong neut.", kNeut, kNounStem},
    Ending{u"u", u"", "nom./acc. pl., strong neut.", kNeut, kNounStem | kAE},
    Ending{u"o", u"", "nom./acc. pl., strong neut.", kNeut, kNounStem | kAE},
    Ending{u"a", u"", "gen. pl., strong neut.", kNeut, kNounStem | kAE},
    Ending{u"um", u"", "dat. pl., strong neut.", kNeut, kNounStem | kAE},
    Ending{u"es", u"e", "gen. sg., strong neut.", kNeut, kGem},
    Ending{u"u", u"e", "nom./acc. pl., strong neut.", kNeut, kGem},
    Ending{u"a", u"e", "gen. pl., strong neut.", kNeut, kGem},
    Ending{u"um", u"e", "dat. pl., strong neut.", kNeut, kGem},
    // contracted after a lost h (scōh scōs, hēah hēas)
    Ending{u"s", u"", "gen. sg. or nom./acc. pl., strong", kNoun, kVowelEnd | kLostH | kChangedOnly},
    Ending{u"s", u"", "gen. sg. masc./neut., strong adj.", kAdj, kVowelEnd | kLostH | kChangedOnly},
    // strong feminines (lār, giefu, leornung, bysen)
    Ending{u"e", u"", "acc./gen./dat. sg., strong fem.", kFem, kNounStem},
    Ending{u"e", u"u", "acc./gen./dat. sg., strong fem.", kFem, 0},
    Ending{u"a", u"", "nom./acc./gen. pl., strong fem.", kFem, kNounStem},
    Ending{u"a", u"u", "nom./acc./gen. pl., strong fem.", kFem, 0},
    Ending{u"um", u"", "dat. pl., strong fem.", kFem, kNounStem},
    Ending{u"um", u"u", "dat. pl., strong fem.", kFem, 0},
    Ending{u"ena", u"u", "gen. pl., strong fem.", kFem, 0},
    // u-stems (sunu, duru; feld, hand)
    Ending{u"a", u"u", "gen./dat. sg. or pl., u-stem", kMascFem, 0},
    Ending{u"um", u"u", "dat. pl., u-stem", kMascFem, 0},
    Ending{u"ena", u"u", "gen. pl., u-stem", kMascFem, 0},
    Ending{u"a", u"", "gen./dat. sg. or pl., u-stem", kMascFem, 0},
    // weak nouns (guma, tunge, ēage; frēa, bēo)
    Ending{u"an", u"a", "oblique sg. or nom./acc. pl., weak masc.", kMasc, 0},
    Ending{u"an", u"e", "oblique sg. or nom./acc. pl., weak fem.", kFem, 0},
    Ending{u"an", u"e", "gen./dat. sg. or nom./acc. pl., weak neut.", kNeut, 0},
    Ending{u"ena", u"a", "gen. pl., weak masc.", kMasc, 0},
    Ending{u"ena", u"e", "gen. pl., weak fem./neut.", kFemNeut, 0},
    Ending{u"um", u"a", "dat. pl., weak masc.", kMasc, 0},
    Ending{u"um", u"e", "dat. pl., weak fem./neut.", kFemNeut, 0},
    Ending{u"n", u"", "oblique sg. or pl., weak", kNoun, kBackVowelEnd},
    // adjectives, strong and weak (gōd, glæd, hālig, heah; grēne)
    Ending{u"ne", u"", "acc. sg. masc., strong adj.", kAdj, kGem},
    Ending{u"ne", u"e", "acc. sg. masc., strong adj.", kAdj, 0},
    Ending{u"es", u"", "gen. sg. masc./neut., strong adj.", kAdj, kNounStem},
    Ending{u"es", u"e", "gen. sg. masc./neut., strong adj.", kAdj, 0},
    Ending{u"um", u"", "dat. sg. masc./neut. or dat. pl., adj.", kAdj, kNounStem | kAE},
    Ending{u"um", u"e", "dat. sg. masc./neut. or dat. pl., adj.", kAdj, 0},
    Ending{u"re", u"", "gen./dat. sg. fem., strong adj.", kAdj, kGem},
    Ending{u"re", u"e", "gen./dat. sg. fem., strong adj.", kAdj, 0},
    Ending{u"ra", u"", "compar.", kAdj, kMut | kGem},
    Ending{u"ra", u"e", "compar.", kAdj, 0},
    Ending{u"e", u"", "acc. sg. fem. or nom./acc. pl. masc., strong adj.", kAdj, kNounStem},
    Ending{u"u", u"", "nom. sg. fem. or nom./acc. pl. neut., strong adj.", kAdj, kNounStem | kAE},
    Ending{u"o", u"", "nom. sg. fem. or nom./acc. pl. neut., strong adj.", kAdj, kNounStem | kAE},
    Ending{u"a", u"", "nom. sg. masc., weak adj., or nom./acc. pl. fem.", kAdj, kNounStem | kAE},
    Ending{u"a", u"e", "nom. sg. masc., weak adj., or nom./acc. pl. fem.", kAdj, 0},
    Ending{u"an", u"", "oblique sg. or nom./acc. pl., weak adj.", kAdj, kNounStem | kAE},
    Ending{u"an", u"e", "oblique sg. or nom./acc. pl., weak adj.", kAdj, 0},
    Ending{u"ena", u"", "gen. pl., weak adj.", kAdj, kNounStem | kAE},
    // comparatives (heardra, lengra, ieldra)
    Ending{u"re", u"", "compar.", kAdj, kMut},
    Ending{u"ran", u"", "compar.", kAdj, kMut},
    Ending{u"rena", u"", "compar.", kAdj, kMut},
    Ending{u"rum", u"", "compar.", kAdj, kMut},
    Ending{u"ora", u"", "compar.", kAdj, 0},
    Ending{u"ore", u"", "compar.", kAdj, 0},
    Ending{u"oran", u"", "compar.", kAdj, 0},
    // the present of verbs
    Ending{u"e", u"an", "pres. 1 sg. or subj. sg.", kVerb, kGem},
    Ending{u"e", u"ian", "pres. 1 sg. or subj. sg.", kVerb, 0},
    Ending{u"ie", u"ian", "pres. 1 sg. or subj. sg.", kVerb, 0},
    Ending{u"ige", u"ian", "pres. 1 sg. or subj. sg.", kVerb, 0},
    Ending{u"est", u"an", "pres. 2 sg.", kVerb, kMut | kGem},
    Ending{u"est", u"ian", "pres. 2 sg.", kVerb, 0},
    Ending{u"st", u"an", "pres. 2 sg.", kVerb, kMut | kGem | kFrontOnly},
    Ending{u"ast", u"ian", "pres. 2 sg.", kVerb, 0},
    Ending{u"eþ", u"an", "pres. 3 sg.", kVerb, kMut | kGem},
    Ending{u"eþ", u"ian", "pres. 3 sg.", kVerb, 0},
    Ending{u"þ", u"an", "pres. 3 sg.", kVerb, kMut | kGem | kFrontOnly},
    Ending{u"þ", u"an", "pres. 3 sg.", kVerb, kDentalTh | kMut | kFrontOnly},
    Ending{u"aþ", u"ian", "pres. 3 sg. or pl.", kVerb, 0},
    Ending{u"aþ", u"an", "pres. pl.", kVerb, 0},
    Ending{u"iaþ", u"ian", "pres. pl.", kVerb, 0},
    Ending{u"igaþ", u"ian", "pres. pl.", kVerb, 0},
    Ending{u"t", u"an", "pres. 3 sg.", kVerb, kDental | kMut | kFrontOnly},
    Ending{u"tt", u"an", "pres. 3 sg.", kVerb, kDental | kMut | kFrontOnly},
    Ending{u"þþ", u"an", "pres. 3 sg.", kVerb, kDentalTh | kMut | kFrontOnly},
    Ending{u"en", u"an", "pres. subj. pl.", kVerb, 0},
    Ending{u"ien", u"ian", "pres. subj. pl.", kVerb, 0},
    Ending{u"igen", u"ian", "pres. subj. pl.", kVerb, 0},
    Ending{u"a", u"ian", "imper. sg.", kVerb, kRare},
    Ending{u"", u"an", "imper. sg.", kVerb, kGem | kRare},
    Ending{u"igan", u"ian", "inf.", kVerb, 0},
    Ending{u"enne", u"an", "infl. inf.", kVerb, 0},
    Ending{u"anne", u"an", "infl. inf.", kVerb, 0},
    Ending{u"ianne", u"ian", "infl. inf.", kVerb, 0},
    Ending{u"nne", u"an", "infl. inf.", kVerb, kVowelEnd},
    Ending{u"nde", u"an", "pres. part.", kVerb, kVowelEnd},
};

// The inflections a participle or superlative takes as an adjective, "" for none.
constexpr std::array<SV, 11> kAdjectiveInflections{u"",   u"e",  u"a",  u"es", u"um", u"ne",
                                                   u"ra", u"re", u"an", u"u",  u"ena"};

// i-mutation undone on a stem's last vowel: the mutated vowel and what it came from.
struct Unmutation {
    SV mutated;
    std::array<SV, 3> original;
};
constexpr std::array kUnmutations{
    Unmutation{u"ie", {u"ea", u"eo", u""}}, Unmutation{u"i", {u"e", u"eo", u"ea"}},
    Unmutation{u"y", {u"u", u"ea", u"eo"}}, Unmutation{u"e", {u"a", u"o", u""}},
    Unmutation{u"æ", {u"a", u"", u""}},
};

// The ablaut series of the strong verbs: in grade 2 (past singular), 3 (past plural, past
// subjunctive, past 2 sg.) or 4 (past participle) the vowel `past` goes back to the present's
// `present`, where the consonants after it begin with one of `before` (any when empty).
struct Ablaut {
    int verbClass;
    int grade;
    SV past;
    SV present;
    SV before;
};
constexpr std::array kAblaut{
    // I: bītan bāt biton biten
    Ablaut{1, 2, u"a", u"i", u""},
    Ablaut{1, 3, u"i", u"i", u""},
    Ablaut{1, 4, u"i", u"i", u""},
    // II: bēodan bēad budon boden; lūcan lēac lucon locen
    Ablaut{2, 2, u"ea", u"eo", u""},
    Ablaut{2, 2, u"ea", u"u", u""},
    Ablaut{2, 3, u"u", u"eo", u""},
    Ablaut{2, 3, u"u", u"u", u""},
    Ablaut{2, 4, u"o", u"eo", u""},
    Ablaut{2, 4, u"o", u"u", u""},
    // III: bindan band bundon bunden; helpan healp hulpon holpen; weorþan wearþ wurdon worden;
    // gieldan geald guldon golden; berstan bærst burston borsten; murnan mearn
    Ablaut{3, 2, u"a", u"i", u"mn"},
    Ablaut{3, 2, u"o", u"i", u"mn"},
    Ablaut{3, 2, u"ea", u"e", u"l"},
    Ablaut{3, 2, u"ea", u"eo", u"rh"},
    Ablaut{3, 2, u"ea", u"ie", u"l"},
    Ablaut{3, 2, u"ea", u"u", u"r"},
    Ablaut{3, 2, u"æ", u"e", u"rg"},
    Ablaut{3, 3, u"u", u"i", u"mn"},
    Ablaut{3, 3, u"u", u"e", u"lrg"},
    Ablaut{3, 3, u"u", u"eo", u"rh"},
    Ablaut{3, 3, u"u", u"ie", u"l"},
    Ablaut{3, 3, u"u", u"u", u"r"},
    Ablaut{3, 4, u"u", u"i", u"mn"},
    Ablaut{3, 4, u"o", u"e", u"lrg"},
    Ablaut{3, 4, u"o", u"eo", u"rh"},
    Ablaut{3, 4, u"o", u"ie", u"l"},
    Ablaut{3, 4, u"o", u"u", u"r"},
    // IV: beran bær bǣron boren; niman nam nōmon numen; cuman cōm cōmon cumen; scieran scear
    Ablaut{4, 2, u"æ", u"e", u""},
    Ablaut{4, 2, u"a", u"i", u"mn"},
    Ablaut{4, 2, u"o", u"u", u"m"},
    Ablaut{4, 2, u"ea", u"ie", u"r"},
    Ablaut{4, 3, u"æ", u"e", u""},
    Ablaut{4, 3, u"a", u"i", u"mn"},
    Ablaut{4, 3, u"o", u"i", u"m"},
    Ablaut{4, 3, u"o", u"u", u"m"},
    Ablaut{4, 3, u"ea", u"ie", u"r"},
    Ablaut{4, 4, u"o", u"e", u""},
    Ablaut{4, 4, u"u", u"i", u"mn"},
    Ablaut{4, 4, u"u", u"u", u"m"},
    Ablaut{4, 4, u"o", u"ie", u"r"},
    // V: sprecan spræc sprǣcon sprecen; giefan geaf gēafon giefen; sittan sæt sǣton seten;
    // sēon seah sāwon sewen
    Ablaut{5, 2, u"æ", u"e", u""},
    Ablaut{5, 2, u"æ", u"i", u""},
    Ablaut{5, 2, u"ea", u"ie", u""},
    Ablaut{5, 2, u"ea", u"i", u""},
    Ablaut{5, 2, u"ea", u"eo", u"h"},
    Ablaut{5, 3, u"æ", u"e", u""},
    Ablaut{5, 3, u"æ", u"i", u""},
    Ablaut{5, 3, u"ea", u"ie", u""},
    Ablaut{5, 3, u"ea", u"i", u""},
    Ablaut{5, 3, u"a", u"eo", u"wg"},
    Ablaut{5, 4, u"e", u"e", u""},
    Ablaut{5, 4, u"e", u"i", u""},
    Ablaut{5, 4, u"ie", u"ie", u""},
    Ablaut{5, 4, u"i", u"i", u""},
    Ablaut{5, 4, u"e", u"eo", u"wg"},
    // VI: faran fōr fōron faren; hebban hōf hafen; scieppan scōp; sceacan sceōc
    Ablaut{6, 2, u"o", u"a", u""},
    Ablaut{6, 2, u"o", u"e", u""},
    Ablaut{6, 2, u"o", u"ie", u""},
    Ablaut{6, 2, u"eo", u"ea", u""},
    Ablaut{6, 3, u"o", u"a", u""},
    Ablaut{6, 3, u"o", u"e", u""},
    Ablaut{6, 3, u"o", u"ie", u""},
    Ablaut{6, 3, u"eo", u"ea", u""},
    Ablaut{6, 4, u"a", u"a", u""},
    Ablaut{6, 4, u"æ", u"a", u""},
    Ablaut{6, 4, u"a", u"e", u""},
    Ablaut{6, 4, u"ea", u"ea", u""},
    // VII: hātan hēt; lǣtan lēt; feallan fēoll; grōwan grēow and cnāwan cnēow (before w only),
    // spannan spēonn; bēatan bēot; wēpan wēop
    Ablaut{7, 2, u"e", u"a", u""},
    Ablaut{7, 2, u"e", u"æ", u""},
    Ablaut{7, 2, u"eo", u"ea", u""},
    Ablaut{7, 2, u"eo", u"o", u"w"},
    Ablaut{7, 2, u"eo", u"a", u"wn"},
    Ablaut{7, 2, u"eo", u"e", u""},
    Ablaut{7, 3, u"e", u"a", u""},
    Ablaut{7, 3, u"e", u"æ", u""},
    Ablaut{7, 3, u"eo", u"ea", u""},
    Ablaut{7, 3, u"eo", u"o", u"w"},
    Ablaut{7, 3, u"eo", u"a", u"wn"},
    Ablaut{7, 3, u"eo", u"e", u""},
    Ablaut{7, 4, u"a", u"a", u""},
    Ablaut{7, 4, u"æ", u"æ", u""},
    Ablaut{7, 4, u"ea", u"ea", u""},
    Ablaut{7, 4, u"o", u"o", u""},
    Ablaut{7, 4, u"e", u"e", u""},
};

// Past tenses of weak verbs ending in "-hte"/"-de" after a changed stem (Rückumlaut and the
// like), the stem's end in the past and in the present: sōhte → sēcan, worhte → wyrcan.
struct PastStem {
    SV dental; // "t" or "d"
    SV past;
    std::array<SV, 4> present;
};
constexpr std::array kPastStems{
    PastStem{u"t", u"oh", {u"ec", u"enc", u"ing", u"ycg"}}, // sōhte, þōhte, brōhte, bohte
    PastStem{u"t", u"orh", {u"yrc", u"eorc", u"", u""}},    // worhte
    PastStem{u"t", u"uh", {u"ync", u"yc", u"", u""}},       // þūhte
    PastStem{u"t", u"eah", {u"ecc", u"ec", u"", u""}},      // reahte, streahte, weahte
    PastStem{u"t", u"æh", {u"æc", u"æcc", u"", u""}},       // tǣhte, rǣhte, lǣhte
    PastStem{u"t", u"ah", {u"ecc", u"", u"", u""}},         // ahte from eccan
    PastStem{u"d", u"eal", {u"ell", u"", u"", u""}},        // sealde, tealde, cwealde
};

const char* const kRoman[] = {"", "I", "II", "III", "IV", "V", "VI", "VII"};

bool hasVowel(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return isVowel(c); });
}

bool isConsonant(QChar c) {
    return c.isLetter() && !isVowel(c);
}

// The last run of vowels in `s` as [begin, end).
std::pair<qsizetype, qsizetype> lastVowels(QStringView s) {
    qsizetype end = s.size();
    while (end > 0 && !isVowel(s[end - 1]))
        --end;
    qsizetype begin = end;
    while (begin > 0 && isVowel(s[begin - 1]))
        --begin;
    return {begin, end};
}

struct Stem {
    QString text;
    int cost;
};

void addUnmutated(const QString& s, int cost, std::vector<Stem>& out) {
    const auto [begin, end] = lastVowels(s);
    if (begin == end) return;
    const QStringView vowel = QStringView(s).sliced(begin, end - begin);
    for (const Unmutation& u : kUnmutations) {
        if (vowel != view(u.mutated)) continue;
        for (const SV original : u.original) {
            if (!original.empty())
                out.push_back(
                    {cat(QStringView(s).first(begin), view(original), QStringView(s).sliced(end)), cost});
        }
    }
}

// The stems `s` may stand for under `changes`, `s` itself first.
void stemVariants(QStringView s, unsigned changes, std::vector<Stem>& out) {
    out.clear();
    std::vector<QString> bases;
    if (changes & kDental) {
        bases = {cat(s, u'd'), cat(s, u't')};
        if (s.endsWith(u's')) bases.push_back(s.toString());
    } else if (changes & kDentalTh) {
        bases = {cat(s, u'\u00FE')};
    } else {
        bases = {s.toString()};
    }
    for (const QString& base : bases) {
        out.push_back({base, 0});
        const qsizetype n = base.size();
        const auto [vBegin, vEnd] = lastVowels(base);
        if ((changes & kAE) && vEnd - vBegin == 1 && base[vBegin] == u'a') {
            QString restored = base;
            restored[vBegin] = u'\u00E6';
            out.push_back({restored, kChange / 4});
        }
        if ((changes & kSyncope) && n >= 3 && isConsonant(base[n - 1]) && isConsonant(base[n - 2]) &&
            hasVowel(QStringView(base).first(n - 2))) {
            for (const QChar vowel : {u'e', u'o', u'u', u'i'}) {
                out.push_back({cat(QStringView(base).first(n - 1), vowel, base.back()), kChange});
            }
        }
        if ((changes & kLostH) && n >= 2 &&
            (base.back() == u'r' || base.back() == u'l' || isVowel(base.back()))) {
            out.push_back({cat(base, u'h'), kChange});
        }
        if ((changes & kW) && n >= 3 && base.back() == u'w') {
            out.push_back({cat(QStringView(base).first(n - 1), u'u'), kChange / 2});
            out.push_back({cat(QStringView(base).first(n - 1), u'o'), kChange / 2});
            if (isVowel(base[n - 2])) out.push_back({base.first(n - 1), kChange / 2});
        }
        if ((changes & kGem) && n >= 2) {
            if (base[n - 1] == base[n - 2] && isConsonant(base.back())) {
                out.push_back({base.first(n - 1), kChange / 2});
            } else if (isConsonant(base.back()) && isVowel(base[n - 2])) {
                out.push_back({cat(base, base.back()), kChange / 2});
                if (base.back() == u'g')
                    out.push_back({cat(QStringView(base).first(n - 1), u"cg"), kChange / 2});
            }
        }
        if (changes & kMut) {
            const std::size_t from = out.size();
            addUnmutated(base, kChange, out);
            // feallan fielþ: the stem's double consonant is written once before the ending
            if (changes & kGem) {
                for (std::size_t i = from, end = out.size(); i < end; ++i) {
                    const QString t = out[i].text;
                    if (t.size() >= 2 && isConsonant(t.back()) && isVowel(t[t.size() - 2])) {
                        out.push_back({cat(t, t.back()), kChange + 1});
                    }
                }
            }
        }
    }
    if (changes & kChangedOnly) {
        out.erase(std::remove_if(out.begin(), out.end(), [](const Stem& stem) { return stem.cost == 0; }),
                  out.end());
    }
    if (changes & kFrontOnly) {
        // Only the unchanged stems are in question: a mutated one is front by making.
        const auto back = [](const Stem& stem) {
            if (stem.cost != 0) return false;
            const auto [begin, end] = lastVowels(stem.text);
            const QStringView vowel = QStringView(stem.text).sliced(begin, end - begin);
            return !(vowel == u"i" || vowel == u"y" || vowel == u"e" || vowel == u"\u00E6" || vowel == u"ie");
        };
        out.erase(std::remove_if(out.begin(), out.end(), back), out.end());
    }
}

class Readings {
public:
    explicit Readings(std::vector<FormReading>& out) : m_out(out) {}

    void add(QString lemma, QString analysis, FormNeed need, int cost, bool participle = false) {
        if (lemma.size() < 2 || !hasVowel(lemma)) return;
        m_out.push_back({std::move(lemma), std::move(analysis), need, cost, participle});
    }

    // The infinitives a present stem gives: bind → bindan, dō → dōn, and a contracted verb's
    // stem with its h: slah → slēan, seoh → sēon, tih → tēon.
    void addVerb(const QString& stem, const QString& analysis, FormNeed need, int cost,
                 bool participle = false) {
        if (stem.isEmpty()) return;
        if (isVowel(stem.back())) {
            add(cat(stem, u'n'), analysis, need, cost, participle);
            return;
        }
        add(cat(stem, u"an"), analysis, need, cost, participle);
        const qsizetype n = stem.size();
        if (stem.back() == u'h' && n >= 2 && isVowel(stem[n - 2])) {
            QString base = stem.first(n - 1);
            if (base.endsWith(u'a') && !base.endsWith(u"ea")) {
                base = cat(base.chopped(1), u"ea");
            } else if (base.endsWith(u"ie")) {
                base = cat(base.chopped(2), u"eo");
            } else if (base.endsWith(u'i')) {
                base = cat(base.chopped(1), u"eo");
            }
            add(cat(base, u'n'), analysis, need, cost, participle);
        }
    }

private:
    std::vector<FormReading>& m_out;
};

void readEndings(QStringView key, Readings& readings) {
    std::vector<Stem> stems;
    for (const Ending& ending : kEndings) {
        const QStringView form = view(ending.form);
        if (!key.endsWith(form)) continue;
        const QStringView stem = key.chopped(form.size());
        if (!hasVowel(stem) || stem.size() < 2) continue;
        if ((ending.changes & kVowelEnd) && !isVowel(stem.back())) continue;
        if ((ending.changes & kBackVowelEnd) && stem.back() != u'a' && stem.back() != u'o') continue;
        const QString analysis = QString::fromLatin1(ending.analysis);
        stemVariants(stem, ending.changes, stems);
        for (const Stem& s : stems) {
            const int cost = kChange + s.cost + ((ending.changes & kRare) ? kChange / 2 : 0);
            if (ending.lemma == u"an") {
                readings.addVerb(s.text, analysis, ending.need, cost);
            } else if (ending.lemma == u"ian") {
                if (!isVowel(s.text.back())) readings.add(cat(s.text, u"ian"), analysis, ending.need, cost);
            } else if (ending.lemma.empty() || !isVowel(s.text.back())) {
                // Headwords in -e (ende, rīce, grēne) are fewer than those without.
                const int fewer = ending.lemma == u"e" && ending.need.parts != P::Fem &&
                                  ending.need.parts != kFemNeut.parts;
                readings.add(cat(s.text, view(ending.lemma)), analysis, ending.need, cost + fewer);
            }
        }
    }
}

// Present participles, also inflected as adjectives: bindende, lufiende, dōnde, bindendum.
void readParticiples(QStringView key, Readings& readings) {
    for (const SV suffix : {SV(u"ende"), SV(u"iende"), SV(u"igende"), SV(u"nde")}) {
        for (const SV inflection : kAdjectiveInflections) {
            // "ende" + "e" is no form; the inflections follow "end"
            const QString ending =
                cat(view(suffix).chopped(1), inflection.empty() ? QStringView(u"e") : view(inflection));
            if (key.size() < ending.size() + 2 || !key.endsWith(ending)) continue;
            const QString stem = key.chopped(ending.size()).toString();
            if (!hasVowel(stem)) continue;
            const QString analysis = QStringLiteral("pres. part.");
            if (suffix == u"nde") {
                if (isVowel(stem.back())) readings.add(cat(stem, u'n'), analysis, kVerb, kChange); // dōnde
            } else if (suffix == u"ende") {
                readings.addVerb(stem, analysis, kVerb, kChange);
            } else if (!isVowel(stem.back())) {
                readings.add(cat(stem, u"ian"), analysis, kVerb, kChange);
            }
        }
    }
}

void readSuperlatives(QStringView key, Readings& readings) {
    std::vector<Stem> stems;
    for (const SV suffix : {SV(u"ost"), SV(u"est"), SV(u"ast")}) {
        for (const SV inflection : kAdjectiveInflections) {
            const qsizetype length = static_cast<qsizetype>(suffix.size() + inflection.size());
            if (key.size() < length + 2 || !key.endsWith(view(inflection)) ||
                !key.chopped(inflection.size()).endsWith(view(suffix))) {
                continue;
            }
            const QStringView stem = key.chopped(length);
            if (!hasVowel(stem)) continue;
            stemVariants(stem, suffix == u"est" ? kMut | kSyncope : kSyncope, stems);
            for (const Stem& s : stems) {
                readings.add(s.text, QStringLiteral("superl."), kAdj, kChange + s.cost);
                readings.add(cat(s.text, u'e'), QStringLiteral("superl."), kAdj,
                             kChange + s.cost); // cēne cēnost
            }
        }
    }
}

// The pasts and past participles of weak verbs: dēmde, fremede, sende, sōhte, lufode, gelufod.
void readWeakPasts(QStringView key, Readings& readings) {
    struct Person {
        SV ending;
        const char* analysis;
    };
    static constexpr std::array<Person, 4> persons{Person{u"e", "past sg."}, Person{u"est", "past 2 sg."},
                                                   Person{u"on", "past pl."},
                                                   Person{u"en", "past subj. pl."}};
    const auto tryStem = [&](QStringView stem, SV dental, int weakClass, const QString& analysis,
                             bool participle) {
        if (stem.size() < 2 || !hasVowel(stem) || isVowel(stem.back())) return;
        const FormNeed weak = need(P::Verb | P::Weak, 0, weakClass);
        const QString s = stem.toString();
        if (weakClass == 2) {
            readings.add(cat(s, u"ian"), analysis, weak, kChange, participle);
            return;
        }
        readings.add(cat(s, u"an"), analysis, weak, kChange, participle);
        if (dental == u"ed") readings.add(cat(s, u"ian"), analysis, weak, kChange, participle);
        const qsizetype n = s.size();
        if (isVowel(s[n - 2]))
            readings.add(cat(s, s.back(), u"an"), analysis, weak, kChange + kChange / 2, participle);
        if (dental == u"d" || dental == u"t") {
            readings.add(cat(s, view(dental), u"an"), analysis, weak, kChange + kChange / 2, participle);
        }
        if (s.endsWith(u'g') && !s.endsWith(u"cg")) {
            readings.add(cat(s.chopped(1), u"cgan"), analysis, weak, kChange + kChange / 2, participle);
        }
        for (const PastStem& changed : kPastStems) {
            if (changed.dental != dental || !s.endsWith(view(changed.past))) continue;
            for (const SV present : changed.present) {
                if (present.empty()) continue;
                readings.add(
                    cat(s.chopped(static_cast<qsizetype>(changed.past.size())), view(present), u"an"),
                    analysis, weak, 2 * kChange, participle);
            }
        }
    };
    struct Dental {
        SV dental;
        int weakClass;
        bool participle; // also forms the past participle
    };
    static constexpr std::array<Dental, 6> dentals{Dental{u"d", 1, true},   Dental{u"t", 1, true},
                                                   Dental{u"ed", 1, true},  Dental{u"od", 2, true},
                                                   Dental{u"ad", 2, false}, Dental{u"ud", 2, false}};
    for (const Dental& d : dentals) {
        const QString verb =
            d.weakClass == 2 ? QStringLiteral(", weak verb II") : QStringLiteral(", weak verb I");
        for (const Person& person : persons) {
            const qsizetype length = static_cast<qsizetype>(d.dental.size() + person.ending.size());
            if (key.size() > length && key.endsWith(view(person.ending)) &&
                key.chopped(person.ending.size()).endsWith(view(d.dental))) {
                tryStem(key.chopped(length), d.dental, d.weakClass, QLatin1String(person.analysis) + verb,
                        false);
            }
        }
        if (!d.participle) continue;
        for (const SV inflection : kAdjectiveInflections) {
            const qsizetype length = static_cast<qsizetype>(d.dental.size() + inflection.size());
            if (key.size() > length && key.endsWith(view(inflection)) &&
                key.chopped(inflection.size()).endsWith(view(d.dental))) {
                tryStem(key.chopped(length), d.dental, d.weakClass, QStringLiteral("pp.") + verb, true);
            }
        }
    }
}

// The strong verbs' pasts and past participles through the ablaut series, with the consonant
// changes between present and past undone (curon → cēosan, wurdon → weorþan, tugon → tēon).
void readStrongPasts(QStringView key, Readings& readings) {
    struct Grade {
        SV ending;
        int grade;
        const char* analysis;
    };
    std::vector<Grade> grades{{u"", 2, "past sg."},
                              {u"on", 3, "past pl."},
                              {u"e", 3, "past 2 sg. or subj. sg."},
                              {u"en", 3, "past subj. pl."}};
    static const std::vector<std::u16string> participles = [] {
        std::vector<std::u16string> made;
        for (const SV inflection : kAdjectiveInflections)
            made.push_back(std::u16string(u"en") + std::u16string(inflection));
        return made;
    }();
    for (const std::u16string& ending : participles)
        grades.push_back({ending, 4, "pp."});

    for (const Grade& g : grades) {
        if (!key.endsWith(view(g.ending))) continue;
        const QStringView stem = key.chopped(static_cast<qsizetype>(g.ending.size()));
        const auto [begin, end] = lastVowels(stem);
        if (begin == end || end == stem.size()) continue;
        const QStringView vowel = stem.sliced(begin, end - begin);
        const QStringView coda = stem.sliced(end);
        // The consonant change between present and past, undone on the coda's last letter.
        std::vector<std::pair<QString, int>> codas{{coda.toString(), 0}};
        const QChar last = coda.back();
        const auto changedCoda = [&](QChar to) { codas.push_back({cat(coda.chopped(1), to), kChange}); };
        if (g.grade == 2) {
            if (last == u'h') changedCoda(u'g'); // stāh → stīgan: a final g is written h
        } else if (last == u'r') {
            changedCoda(u's');
        } else if (last == u'd') {
            changedCoda(u'\u00FE');
        } else if (last == u'g' || last == u'w') {
            changedCoda(u'h');
        }
        for (const Ablaut& a : kAblaut) {
            if (a.grade != g.grade || vowel != view(a.past)) continue;
            if (!a.before.empty() && !view(a.before).contains(coda.front())) continue;
            const QString analysis = QLatin1String(g.analysis) + QStringLiteral(", strong verb ") +
                                     QLatin1String(kRoman[a.verbClass]);
            const FormNeed strong = need(P::Verb | P::Strong, a.verbClass);
            const int vowelCost = a.past == a.present ? 0 : kChange / 2;
            for (const auto& [c, codaCost] : codas) {
                const QString present = cat(stem.first(begin), view(a.present), c);
                const int cost = kChange + vowelCost + codaCost;
                readings.addVerb(present, analysis, strong, cost, g.grade == 4);
                // A doubled nasal written once in the past (onginnan ongan, swimman swam).
                if (a.verbClass == 3 && (c == u"n" || c == u"m")) {
                    readings.add(cat(present, c, u"an"), analysis, strong, cost + 1, g.grade == 4);
                }
                // Presents with a doubled consonant or -ian (sittan sæt, hebban hōf, swerian swōr).
                if (a.verbClass != 5 && a.verbClass != 6) continue;
                const QChar final = present.back();
                QString doubled;
                if (final == u'g') {
                    doubled = cat(present.chopped(1), u"cg");
                } else if (final == u'f') {
                    doubled = cat(present.chopped(1), u"bb");
                } else if (final == u'r') {
                    readings.add(cat(present, u"ian"), analysis, strong, cost + 1, g.grade == 4);
                } else if (isConsonant(final)) {
                    doubled = cat(present, final);
                }
                if (!doubled.isEmpty())
                    readings.add(cat(doubled, u"an"), analysis, strong, cost + 1, g.grade == 4);
            }
        }
    }
}

bool isPrefixRun(QStringView s, int depth = 0) {
    if (s.isEmpty()) return true;
    if (depth == 2) return false;
    for (const SV prefix : verbalPrefixes()) {
        if (s.startsWith(view(prefix)) &&
            isPrefixRun(s.sliced(static_cast<qsizetype>(prefix.size())), depth + 1)) {
            return true;
        }
    }
    return false;
}

void readTables(QStringView key, Readings& readings) {
    for (const TableForm& t : irregularForms()) {
        const QStringView form = view(t.form);
        if (!key.endsWith(form)) continue;
        const QStringView prefix = key.chopped(form.size());
        if (!prefix.isEmpty()) {
            if (t.attach == TableForm::Attach::Whole) continue;
            if (t.attach == TableForm::Attach::VerbPrefix && !isPrefixRun(prefix)) continue;
        }
        const QString analysis = QString::fromLatin1(t.analysis);
        const bool participle = analysis.startsWith(u"pp.");
        // A listed form is surer than a rule's reading; its later headwords are less likely.
        int cost = kChange - 1;
        for (const QStringView lemma : view(t.lemmas).split(u'|')) {
            readings.add(cat(prefix, lemma), analysis, t.need, cost++, participle);
        }
    }
}

void readAll(QStringView key, Readings& readings) {
    readTables(key, readings);
    readEndings(key, readings);
    readSuperlatives(key, readings);
    readParticiples(key, readings);
    readWeakPasts(key, readings);
    readStrongPasts(key, readings);
}

} // namespace

std::vector<FormReading> readForm(QStringView key) {
    std::vector<FormReading> out;
    Readings readings(out);
    readAll(key, readings);
    // ge- is the past participle's own prefix and is also written before other forms of a verb
    // whose headword lacks it: gebunden → bindan, gesǣton → sittan.
    if (key.startsWith(u"ge") && key.size() >= 5) {
        const std::size_t withPrefix = out.size();
        readAll(key.sliced(2), readings);
        for (std::size_t i = withPrefix; i < out.size(); ++i) {
            if (out[i].pastParticiple) continue;
            out[i].cost += kChange - 1;
            out[i].analysis += QStringLiteral(", with ge-");
        }
        // The participle's ge- belongs to the participle, not to a headword of its own.
        for (std::size_t i = 0; i < withPrefix; ++i) {
            if (out[i].pastParticiple) out[i].cost += 1;
        }
        // What follows ge- may be the headword itself: gedōn, gegān.
        readings.add(key.sliced(2).toString(), QStringLiteral("pp. or with ge-"), FormNeed{}, kChange - 1, true);
    }
    return out;
}

} // namespace wordhoard
