// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Form analysis over an arbitrary text and typed word: every candidate is an entry of the text
// with its own decoded headword, best first and no more than the list holds; every entry's labels
// and first gloss read within it; and a text's words are in order, apart, and made of letters,
// marks and inner hyphens.
#include "FuzzSupport.h"
#include "language/EntryHead.h"
#include "language/FirstGloss.h"
#include "language/FormIndex.h"
#include "language/Words.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

namespace {

// Letters of Old English in several spellings, marks, a hyphen and a few that are no letters.
constexpr char16_t kWordUnits[] = {u'a', u'e',   u'o',   u'n',   u's',   u'r',   u'g',   u'h',
                                   u'u', 0x00FE, 0x00F0, 0x00E6, 0x0101, 0x01E3, 0x0304, 0x021D,
                                   u'-', u'.',   u' ',   u'1',   u'I',   0x00B7};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Reader in(data, size);
    QString word;
    for (std::uint8_t k = in.byte() % 12; k > 0; --k)
        word += QChar(kWordUnits[in.byte() % std::size(kWordUnits)]);
    const QByteArrayView body = in.rest();
    TMapTextfile text;
    if (text.OpenBytes(body) != 0) return 0;
    const EntryIndex index = buildEntryIndex(text);
    const FormIndex forms(text, index);

    const std::vector<FormCandidate> candidates = forms.candidates(word);
    check(candidates.size() <= 8, "more candidates than the list holds");
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const FormCandidate& c = candidates[i];
        check(c.line >= 0 && c.line < index.size(), "a candidate is no entry");
        check(c.start == index.offsets[static_cast<std::size_t>(c.line)],
              "a candidate's start is not its entry's");
        check(c.headword == index.headword(c.line), "a candidate's headword is not its entry's");
        check(i == 0 || candidates[i - 1].cost <= c.cost, "candidates out of order");
    }
    for (qsizetype line = 0; line < std::min<qsizetype>(index.size(), 64); ++line) {
        const std::int32_t start = index.offsets[static_cast<std::size_t>(line)];
        const QString head = entryHeadText(text, start, 4096);
        check(readEntryHead(head).labelsEnd <= head.size(), "the labels end past the text read");
        check(firstGloss(text, start).size() <= head.size(), "the first gloss is longer than the text read");
    }

    const QString units = fuzz::unitsOf(body.first(std::min<qsizetype>(body.size(), 2048)));
    qsizetype after = 0;
    for (const WordSpan& w : splitWords(units)) {
        check(w.length > 0 && w.pos >= after && w.pos + w.length <= units.size(),
              "words overlap or leave the text");
        const QChar first = units[w.pos], last = units[w.pos + w.length - 1];
        check(first != u'-' && first != u'\u2010' && last != u'-' && last != u'\u2010',
              "a word begins or ends with a hyphen");
        after = w.pos + w.length;
    }
    return 0;
}
