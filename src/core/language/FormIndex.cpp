// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language/FormIndex.h"

#include "language/FormRules.h"
#include "language/Spelling.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

#include <algorithm>
#include <limits>
#include <map>

namespace wordhoard {

namespace {

using P = WordClass::Part;

// The labels, or the reference of a reference entry, stand within the first few dozen letters
// after the headword.
constexpr qsizetype kLabelBytes = 160;
constexpr qsizetype kLabelPlainBytes = 64;

// What a match costs beyond the reading itself.
constexpr int kReferenceOwnCost = 1; // a reference entry ranks after the headword it names
// Found only under a spelling variant: one letter written otherwise costs a change and a quarter,
// each further one half a change more ("hīran" for hȳran 5, "bīett" for bit 7).
constexpr int kVariantCost = kChange + 1;
constexpr int kVariantLetterCost = kChange / 2;
// The typed word's length marks disagree with the headword's where both spell the same letters
// (typed "gōdes": gōd before god): enough to settle a tie.
constexpr int kMarksCost = 1;
// A headword spelt as typed but with other length marks than the typed ones (typed "bīte", the
// headword "bite") is a word of its own: it ranks after a reading with one change. Typed without
// any marks, a word matches every marking of its letters.
constexpr int kOtherMarksCost = kChange + 1;
constexpr int kUnlabelledCost = kChange / 2; // the entry has no label to check the reading against
// Candidates much worse than the best are left out.
constexpr int kMargin = 3 * kChange;
constexpr std::size_t kMaxCandidates = 8;

// The letters to add, drop or change to make `a` into `b` (both a few letters long).
int editDistance(QStringView a, QStringView b) {
    std::vector<int> row(static_cast<std::size_t>(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[static_cast<std::size_t>(j)];
            row[static_cast<std::size_t>(j)] = std::min({above + 1, row[static_cast<std::size_t>(j - 1)] + 1,
                                                         diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

// How well a reading fits what the entry says the headword is: the extra cost, or -1 when the
// reading cannot be of such a word (a noun ending on a verb).
int fitCost(const FormNeed& need, const WordClass& w) {
    if (need.parts == 0) return 0;
    if (!w.known()) return kUnlabelledCost;
    if (need.parts & P::Verb) {
        if (!w.has(P::Verb)) return -1;
        if (need.parts & P::Strong) {
            if (w.has(P::Strong))
                return w.strongClass == 0 || w.strongClass == need.strongClass ? 0 : kChange - 1;
            return w.has(P::Weak | P::PretPres | P::Anomalous) ? kChange + kChange / 2 : 1;
        }
        if (need.parts & P::Weak) {
            if (w.has(P::Weak)) return w.weakClass == 0 || w.weakClass == need.weakClass ? 0 : kChange / 2;
            return w.has(P::Strong | P::PretPres | P::Anomalous) ? kChange + kChange / 2 : 1;
        }
        return 0;
    }
    if (need.parts & P::Noun) {
        if (w.has(need.parts)) return 0;
        return w.has(P::Noun) ? kChange : -1; // a noun of another gender
    }
    return w.has(need.parts) ? 0 : -1;
}

} // namespace

void FormIndex::Keyed::reserve(qsizetype keys) {
    std::size_t size = 16;
    while (size < 2 * static_cast<std::size_t>(keys))
        size *= 2;
    m_slots.assign(size, Slot{});
    m_nodes.reserve(static_cast<std::size_t>(keys));
    m_letters.reserve(static_cast<std::size_t>(keys) * 8);
}

std::size_t FormIndex::Keyed::find(QStringView key, std::uint32_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.last < 0) return i;
        if (slot.hash == hash && slot.length == key.size() &&
            std::equal(key.begin(), key.end(), m_letters.begin() + slot.offset,
                       [](QChar a, char16_t b) { return a.unicode() == b; })) {
            return i;
        }
    }
}

void FormIndex::Keyed::grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(16, old.size() * 2), Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.last < 0) continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].last >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void FormIndex::Keyed::add(QStringView key, std::int32_t line) {
    if (2 * (m_used + 1) > m_slots.size()) grow();
    const auto hash = static_cast<std::uint32_t>(qHash(key, 0));
    Slot& slot = m_slots[find(key, hash)];
    if (slot.last < 0) {
        slot = {hash, static_cast<std::uint32_t>(m_letters.size()), static_cast<std::int32_t>(key.size()),
                -1};
        m_letters.append(reinterpret_cast<const char16_t*>(key.utf16()),
                         static_cast<std::size_t>(key.size()));
        ++m_used;
    } else if (m_nodes[static_cast<std::size_t>(slot.last)].line == line) {
        return; // a headword with two keys alike
    }
    m_nodes.push_back({line, slot.last});
    slot.last = static_cast<std::int32_t>(m_nodes.size() - 1);
}

void FormIndex::Keyed::linesOf(QStringView key, std::vector<std::int32_t>& out) const {
    out.clear();
    if (m_slots.empty()) return;
    const Slot& slot = m_slots[find(key, static_cast<std::uint32_t>(qHash(key, 0)))];
    for (std::int32_t node = slot.last; node >= 0; node = m_nodes[static_cast<std::size_t>(node)].previous) {
        out.push_back(m_nodes[static_cast<std::size_t>(node)].line);
    }
    std::reverse(out.begin(), out.end()); // found last first
}

FormIndex::FormIndex(const TMapTextfile& text, const EntryIndex& index) : m_text(&text), m_index(&index) {
    const qsizetype n = index.size();
    m_marks.resize(static_cast<std::size_t>(n));
    m_exact.reserve(n);
    m_variant.reserve(n);
    for (qsizetype line = 0; line < n; ++line) {
        const auto i = static_cast<std::int32_t>(line);
        const QByteArrayView raw = index.raw(line);
        // Most headwords are plain ASCII, which needs neither the code page nor entity decoding.
        const bool ascii =
            std::all_of(raw.begin(), raw.end(), [](char c) { return c != '&' && (c & 0x80) == 0; });
        const QString headword = ascii ? QString::fromLatin1(raw) : decodeEntityBytes(raw);
        for (const QString& key : headwordKeys(headword, &m_marks[static_cast<std::size_t>(line)])) {
            m_exact.add(key, i);
            m_variant.add(variantKey(key), i);
        }
    }
}

EntryHead FormIndex::entryHead(qsizetype line) const {
    if (!m_index || line < 0 || line >= m_index->size()) return {};
    return readEntryHead(entryHeadText(*m_text, m_index->offsets[static_cast<std::size_t>(line)], kLabelBytes,
                                       kLabelPlainBytes));
}

std::vector<std::int32_t> FormIndex::linesWithKey(const QString& key) const {
    std::vector<std::int32_t> lines;
    m_exact.linesOf(key, lines);
    return lines;
}

std::vector<FormCandidate> FormIndex::candidates(QStringView word) const {
    if (!m_index) return {};
    const QString key = spellingKey(word);
    if (key.isEmpty()) return {};
    const std::uint64_t typedMarks = spellingMarks(word);
    // The marks of the letters the word and `lemma` share from the start, up to the vowel a
    // reading changed ("hēold" and "healdan" share "h" only).
    const auto marksCost = [&](std::int32_t line, QStringView lemma) {
        qsizetype same = 0;
        while (same < std::min<qsizetype>({key.size(), lemma.size(), 64}) && key[same] == lemma[same])
            ++same;
        const auto vowelAt = [](QStringView s, qsizetype i) { return i < s.size() && isVowel(s[i]); };
        if (vowelAt(key, same) || vowelAt(lemma, same)) {
            while (same > 0 && isVowel(key[same - 1]))
                --same;
        }
        const std::uint64_t mask = same == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << same) - 1;
        return ((typedMarks ^ m_marks[static_cast<std::size_t>(line)]) & mask) ? kMarksCost : 0;
    };

    struct Best {
        int cost;
        QString analysis;
    };
    std::map<std::int32_t, Best> best; // by line
    const auto offer = [&](std::int32_t line, int cost, const QString& analysis) {
        const auto [it, inserted] = best.try_emplace(line, Best{cost, analysis});
        if (!inserted && cost < it->second.cost) it->second = {cost, analysis};
    };
    std::map<std::int32_t, EntryHead> heads; // the entries reached, read once
    const auto headOf = [&](std::int32_t line) -> const EntryHead& {
        auto it = heads.find(line);
        if (it == heads.end()) it = heads.emplace(line, entryHead(line)).first;
        return it->second;
    };
    std::vector<std::int32_t> targets;
    // A reference entry offers the headword it names first, then itself.
    const auto offerLine = [&](std::int32_t line, int cost, const QString& analysis) {
        const EntryHead& head = headOf(line);
        targets.clear();
        if (!head.referenceTarget.isEmpty()) m_exact.linesOf(spellingKey(head.referenceTarget), targets);
        targets.erase(std::remove(targets.begin(), targets.end(), line), targets.end());
        if (targets.empty()) {
            offer(line, cost, analysis);
            return;
        }
        for (const std::int32_t target : targets)
            offer(target, cost, head.referenceAnalysis);
        offer(line, cost + kReferenceOwnCost, analysis);
    };

    // What finding `spelt` under the headword of `line` only by its variant key costs.
    const auto variantCost = [&](std::int32_t line, QStringView spelt) {
        int letters = std::numeric_limits<int>::max();
        for (const QString& own : headwordKeys(m_index->headword(line))) {
            if (variantKey(own) == variantKey(spelt)) letters = std::min(letters, editDistance(spelt, own));
        }
        return kVariantCost + kVariantLetterCost * std::max(0, std::min(letters, 4) - 1);
    };

    const QString headword = QStringLiteral("headword");
    std::vector<std::int32_t> lines;
    m_exact.linesOf(key, lines);
    if (!lines.empty()) {
        for (const std::int32_t line : lines) {
            const int marks = marksCost(line, key);
            offerLine(line, marks && typedMarks ? kOtherMarksCost : marks, headword);
        }
    } else {
        m_variant.linesOf(variantKey(key), lines);
        for (const std::int32_t line : lines)
            offerLine(line, variantCost(line, key), QStringLiteral("variant spelling"));
    }

    for (const FormReading& reading : readForm(key)) {
        m_exact.linesOf(reading.lemma, lines);
        const bool variant = lines.empty();
        if (variant) m_variant.linesOf(variantKey(reading.lemma), lines);
        for (const std::int32_t line : lines) {
            const int fit = fitCost(reading.need, headOf(line).wordClass);
            if (fit < 0) continue;
            const QString analysis =
                variant ? reading.analysis + QStringLiteral(", variant spelling") : reading.analysis;
            const int spelling = variant ? variantCost(line, reading.lemma) : marksCost(line, reading.lemma);
            offerLine(line, reading.cost + fit + spelling, analysis);
        }
    }

    std::vector<FormCandidate> out;
    out.reserve(best.size());
    for (const auto& [line, b] : best) {
        out.push_back(
            {line, m_index->offsets[static_cast<std::size_t>(line)], QString(), b.analysis, b.cost});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const FormCandidate& a, const FormCandidate& b) { return a.cost < b.cost; });
    if (!out.empty()) {
        const int limit = out.front().cost + kMargin;
        const auto worse =
            std::find_if(out.begin(), out.end(), [&](const FormCandidate& c) { return c.cost > limit; });
        out.erase(worse, out.end());
        if (out.size() > kMaxCandidates) out.resize(kMaxCandidates);
    }
    for (FormCandidate& c : out)
        c.headword = m_index->headword(c.line);
    return out;
}

} // namespace wordhoard
