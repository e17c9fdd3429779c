// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/FullTextSearch.h"

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "text/FileAccess.h"
#include "search/LooseSearch.h"
#include "text/MapTextfile.h"
#include "search/SearchTerm.h"

#include <QScopeGuard>

#include <cstring>
#include <utility>


namespace wordhoard {

namespace {

// Report progress after at least this many bytes, so the callback costs nothing measurable.
constexpr std::int64_t kProgressStep = 1 << 20;

// Per byte, the smaller of the byte and its other case: two bytes match caselessly exactly when
// their classes are equal (the case pairs are symmetric).
const std::array<unsigned char, 256>& caselessClass() {
    static const std::array<unsigned char, 256> classes = [] {
        const auto& flip = TPerlRegEx::otherCase();
        std::array<unsigned char, 256> out{};
        for (std::size_t i = 0; i < 256; ++i) out[i] = std::min(static_cast<unsigned char>(i), flip[i]);
        return out;
    }();
    return classes;
}

// The last '#' at or before `at`, or -1.
qsizetype lastHashAtOrBefore(QByteArrayView all, qsizetype at) {
    return findLastByte(all.first(at + 1), '#');
}

bool isQuantifier(char c) {
    return c == '*' || c == '+' || c == '?';
}

} // namespace


std::optional<QByteArray> requiredLiteral(QByteArrayView pattern, TPerlRegExOptions options) {
    // Extended mode gives spaces and '#' a meaning. Escapes, inline options, verbs and counted
    // repeats are not read.
    if (options & preExtended) return std::nullopt;
    if (pattern.contains('\\') || pattern.contains('{') || pattern.contains("(?") || pattern.contains("(*")) {
        return std::nullopt;
    }
    QByteArray best;
    QByteArray run;
    const auto endRun = [&] {
        if (run.size() > best.size()) best = run;
        run.clear();
    };
    int depth = 0;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n;) {
        const char c = pattern[i];
        if (c == '[') {
            // "[^]a]" is one class: a ']' right after "[" or "[^" is a member.
            qsizetype j = i + 1;
            if (j < n && pattern[j] == '^') ++j;
            if (j < n && pattern[j] == ']') ++j;
            while (j < n && pattern[j] != ']') {
                if (pattern[j] == '[') return std::nullopt; // "[[:alpha:]]" and the like
                ++j;
            }
            if (j >= n) return std::nullopt;
            endRun();
            i = j + 1;
            continue;
        }
        if (c == '(') {
            endRun();
            ++depth;
            ++i;
            continue;
        }
        if (c == ')') {
            if (depth == 0) return std::nullopt;
            --depth;
            ++i;
            continue;
        }
        ++i;
        if (depth > 0) continue; // whatever a group holds may be optional or alternated
        if (c == '|') return std::nullopt;
        if (isQuantifier(c)) {
            // "ab*" makes the 'b' optional: it leaves the run, which ends before it.
            if (!run.isEmpty()) run.chop(1);
            endRun();
            continue;
        }
        if (c == '.' || c == '^' || c == '$') {
            endRun();
            continue;
        }
        // A byte followed by a quantifier is taken back when the quantifier is read.
        run.append(c);
    }
    if (depth != 0) return std::nullopt;
    endRun();
    if (best.isEmpty()) return std::nullopt;
    return best;
}

bool containsLiteral(QByteArrayView haystack, QByteArrayView literal, TPerlRegExOptions options) {
    if (literal.isEmpty()) return true;
    if (literal.size() > haystack.size()) return false;
    if (!(options & preCaseLess)) return haystack.contains(literal);
    const auto& cls = caselessClass();
    const auto* h = reinterpret_cast<const unsigned char*>(haystack.data());
    const auto* l = reinterpret_cast<const unsigned char*>(literal.data());
    const qsizetype m = literal.size();
    const qsizetype last = haystack.size() - m;
    const auto matchesAt = [&](qsizetype at) {
        for (qsizetype j = 0; j < m; ++j) {
            if (cls[h[at + j]] != cls[l[j]]) return false;
        }
        return true;
    };
    // A byte without another case (';', '&', a digit) can be looked for with memchr.
    qsizetype anchor = -1;
    for (qsizetype j = 0; j < m; ++j) {
        if (TPerlRegEx::otherCase()[l[j]] == l[j]) {
            anchor = j;
            break;
        }
    }
    if (anchor < 0) {
        const unsigned char first = cls[l[0]];
        for (qsizetype at = 0; at <= last; ++at) {
            if (cls[h[at]] == first && matchesAt(at)) return true;
        }
        return false;
    }
    const unsigned char* from = h + anchor;
    const unsigned char* const end = h + last + anchor + 1; // one past the last anchor position
    while (from < end) {
        const void* found = std::memchr(from, l[anchor], static_cast<std::size_t>(end - from));
        if (found == nullptr) return false;
        const auto* at = static_cast<const unsigned char*>(found);
        if (matchesAt(at - h - anchor)) return true;
        from = at + 1;
    }
    return false;
}

QString searchPatternTooLong(qsizetype length) {
    return QStringLiteral("The search term is too long: %1 characters after encoding, at most %2")
        .arg(length)
        .arg(kMaxSearchPatternLength);
}

QString looseSearchTermTooLong(qsizetype typedLength, qsizetype expandedLength) {
    return QStringLiteral("The search term is too long for loose matching: its %1 characters become %2 after "
                          "expansion, at most %3")
        .arg(typedLength)
        .arg(expandedLength)
        .arg(kMaxLoosePatternLength);
}

namespace {

// The guard of a loose pattern's letters: after a raw byte, that byte stands outside every
// entity the entry decodes; after an '&', it begins one.
bool entityGuard(void* data, std::uint32_t number, qsizetype position) {
    auto& entities = **static_cast<std::optional<DecodedEntities>*>(data);
    const std::uint8_t at = entities.at(position - 1);
    if (number == kCalloutPlainByte) return at == 0;
    if (number == kCalloutEntityStart) return at == 1;
    return true;
}

// A loose pass whose term is one run of letters: its matches are the occurrences of the run that
// the decoding reads, and an entry's first one is its match. A run holds no space, so the ". ."
// test never throws a match away.
void looseRunPass(const TMapTextfile& text, const std::vector<LooseOccurrence>& occurrences, SearchOutcome& outcome,
                  const SearchProgress& progress, std::int64_t scannedBefore, std::int64_t totalScan) {
    const QByteArrayView all = text.bytes();
    const auto size = static_cast<std::int32_t>(all.size());
    std::int64_t reportedAt = 0;
    qsizetype entryStart = -1;
    qsizetype entryEnd = -1;
    std::optional<DecodedEntities> entities;
    for (const LooseOccurrence& at : occurrences) {
        if (at.start < entryEnd) {
            if (entryStart < 0) continue; // the entry had its hit, or lies before the first '#'
        } else {
            if (progress && at.start - reportedAt >= kProgressStep) {
                reportedAt = at.start;
                if (!progress(scannedBefore + at.start, totalScan)) {
                    outcome.cancelled = true;
                    return;
                }
            }
            const qsizetype hash = lastHashAtOrBefore(all, at.start);
            if (hash < 0) {
                entryStart = -1;
                entryEnd = all.indexOf('#');
                if (entryEnd < 0) break;
                continue;
            }
            entryStart = std::min<qsizetype>(hash + 4, size);
            entryEnd = all.indexOf('#', entryStart);
            if (entryEnd < 0) entryEnd = size;
            entities.emplace(all.sliced(entryStart, entryEnd - entryStart));
        }
        // Within the entry's text, and read so by the decoding.
        if (at.start < entryStart || at.end > entryEnd) continue;
        if (!isDecodedOccurrence(all.sliced(entryStart, entryEnd - entryStart), *entities, at.start - entryStart,
                                 at.end - entryStart)) {
            continue;
        }
        outcome.hits.push_back({static_cast<std::int32_t>(entryStart),
                                decodeEntityBytes(rawHeadword(text, static_cast<std::int32_t>(entryStart))),
                                static_cast<std::int32_t>(at.start - entryStart), at.end - at.start});
        entryStart = -1; // one hit per entry
    }
    if (progress && !progress(scannedBefore + size, totalScan)) outcome.cancelled = true;
}

// One pass of `pattern` over the whole text, appending its hits to outcome.hits in text order.
// `scannedBefore`/`totalScan` place the pass within its request for the progress callback. A
// loose pass (`loose` set and some letter expanded) looks its candidates up instead of using the
// strict pre-filter, and guards its letters against the inside of entities.
void searchPass(const TMapTextfile& text, QStringView pattern, const LoosePass* loose, const LooseIndex* index,
                TPerlRegEx& term, TPerlRegEx& spaceTest, SearchOutcome& outcome, const SearchProgress& progress,
                std::int64_t scannedBefore, std::int64_t totalScan) {
    const qsizetype length = loose ? loose->strictLength : pattern.size();
    if (length > kMaxSearchPatternLength) {
        outcome.error = searchPatternTooLong(length);
        return;
    }
    if (loose && pattern.size() > kMaxLoosePatternLength) {
        outcome.error = looseSearchTermTooLong(loose->typedLength, pattern.size());
        return;
    }
    if (loose && loose->unwritable) return;
    std::optional<QByteArray> narrowed = narrow(pattern);
    if (!narrowed) return;
    QByteArray bytes = std::move(*narrowed);
    // Both the pre-filter and the compiler read the pattern as a C string.
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) bytes.truncate(nul);
    if (bytes.isEmpty()) return;

    const QByteArrayView all = text.bytes();
    const auto size = static_cast<std::int32_t>(all.size());
    if (totalScan < 0) totalScan = size;
    term.setRegEx(bytes);
    spaceTest.setOptions(term.Options());
    spaceTest.setRegEx(". .");

    // Where the next entry to look at may be: the first candidate at or after `from`, or -1.
    const bool isLoose = loose && loose->expanded && index;
    std::vector<LooseOccurrence> candidates;
    std::size_t nextCandidate = 0;
    std::optional<DecodedEntities> entities;
    // Extended mode gives spaces and '#' a meaning the runs are not read with.
    const bool byRuns = isLoose && !loose->runs.empty() && !(term.Options() & preExtended);
    if (isLoose) {
        if (byRuns) candidates = looseCandidates(text, *index, loose->runs);
        term.setCalloutCheck(entityGuard, &entities);
    }
    const auto guardOff = qScopeGuard([&] {
        if (isLoose) term.setCalloutCheck(nullptr, nullptr);
    });
    const auto findCandidate = [&](std::int32_t from) -> std::int32_t {
        if (!isLoose) return text.FindWild(bytes, from, 0, '*', '.');
        if (!byRuns) return static_cast<std::int32_t>(all.indexOf('#', from)); // every entry
        while (nextCandidate < candidates.size() && candidates[nextCandidate].start < from) ++nextCandidate;
        return nextCandidate < candidates.size() ? candidates[nextCandidate].start : -1;
    };
    if (byRuns && loose->pureRun) {
        looseRunPass(text, candidates, outcome, progress, scannedBefore, totalScan);
        return;
    }

    bool firstCandidate = true;
    std::optional<QByteArray> literal;
    bool literalInFilter = false;
    // The bytes the strict pre-filter looks for: the pattern up to its first '*' after index 0.
    QByteArrayView filterText = bytes;
    if (const qsizetype cut = filterText.sliced(1).indexOf('*'); cut >= 0) filterText = filterText.first(cut + 1);
    std::int64_t reportedAt = 0;
    std::int32_t start = 0;
    try {
        for (;;) {
            if (progress && start - reportedAt >= kProgressStep) {
                reportedAt = start;
                if (!progress(scannedBefore + start, totalScan)) {
                    outcome.cancelled = true;
                    return;
                }
            }
            const std::int32_t candidate = findCandidate(start);
            if (candidate < 0) break;

            const qsizetype hash = lastHashAtOrBefore(all, candidate);
            if (hash < 0) {
                // Text before the first entry: go on from the first '#'.
                const qsizetype first = all.indexOf('#', candidate);
                if (first < 0) break;
                start = static_cast<std::int32_t>(first);
                continue;
            }
            const qsizetype entryStart = std::min<qsizetype>(hash + 4, size);
            qsizetype entryEnd = all.indexOf('#', entryStart);
            if (entryEnd < 0) entryEnd = size;
            const QByteArrayView entry = all.sliced(entryStart, entryEnd - entryStart);
            start = static_cast<std::int32_t>(entryEnd);

            term.setSubject(entry);
            if (firstCandidate) {
                firstCandidate = false;
                term.Compile(); // an invalid pattern fails here, before any entry is skipped
                literal = requiredLiteral(bytes, term.Options());
                // When the pre-filter's own text holds the literal, a candidate lying wholly
                // inside the entry proves the entry holds it too.
                literalInFilter = literal && filterText.contains(*literal);
            }
            const bool proven = literalInFilter && candidate >= entryStart && candidate + filterText.size() <= entryEnd;
            if (literal && !proven && !containsLiteral(entry, *literal, term.Options())) continue;
            if (isLoose) entities.emplace(entry);
            if (!term.Match()) continue;
            spaceTest.setSubject(term.MatchedText());
            if (spaceTest.Match()) continue;
            outcome.hits.push_back({static_cast<std::int32_t>(entryStart),
                                    decodeEntityBytes(rawHeadword(text, static_cast<std::int32_t>(entryStart))),
                                    static_cast<std::int32_t>(term.MatchedOffset()),
                                    static_cast<std::int32_t>(term.MatchedText().size())});
        }
    } catch (const RegexCompileError& e) {
        // A loose pattern's error names the place in the strict pattern, as the strict search does.
        outcome.error = QString::fromUtf8(
            loose ? RegexCompileError(loose->strictOffset(e.offset()), e.reason()).what() : e.what());
        return;
    } catch (const RegexError& e) {
        outcome.error = QString::fromUtf8(e.what());
        return;
    }
    if (progress && !progress(scannedBefore + size, totalScan)) outcome.cancelled = true;
}

} // namespace

SearchRequest::SearchRequest(const TMapTextfile& text, QStringView term, TPerlRegEx& regex, SearchProgress progress,
                             const LooseIndex* loose)
    : m_text(text), m_regex(regex), m_progress(std::move(progress)), m_looseIndex(loose) {
    if (loose) {
        m_loosePasses = looseSearchPasses(term);
        for (const LoosePass& pass : m_loosePasses) m_passes << pass.pattern;
        return;
    }
    const SearchPatterns patterns = encodeSearchTerm(term);
    m_passes << patterns.entityWildcard;
    if (patterns.needsSecondPass()) m_passes << patterns.letterWildcard;
}

SearchOutcome SearchRequest::runPass(QStringView pattern) {
    const std::int64_t size = m_text.size();
    const std::int64_t total = std::max<qsizetype>(m_passes.size(), 1) * size;
    const qsizetype k = m_passes.indexOf(pattern);
    const LoosePass* loose = k >= 0 && static_cast<std::size_t>(k) < m_loosePasses.size()
                                 ? &m_loosePasses[static_cast<std::size_t>(k)]
                                 : nullptr;
    SearchOutcome outcome;
    m_spaceTest.setMatchLimits(m_regex.matchLimits());
    searchPass(m_text, pattern, loose, m_looseIndex, m_regex, m_spaceTest, outcome, m_progress, m_scannedBefore,
               std::max(total, m_scannedBefore + size));
    m_scannedBefore += size;
    return outcome;
}

SearchOutcome SearchRequest::run() {
    SearchOutcome request;
    for (const QString& pattern : std::as_const(m_passes)) {
        SearchOutcome pass = runPass(pattern);
        request.hits.insert(request.hits.end(), std::make_move_iterator(pass.hits.begin()),
                            std::make_move_iterator(pass.hits.end()));
        request.error = std::move(pass.error);
        request.cancelled = pass.cancelled;
        if (request.stopped()) break;
    }
    return request;
}

SearchOutcome runFullTextSearch(const TMapTextfile& text, QStringView term, const SearchProgress& progress,
                                const LooseIndex* loose) {
    TPerlRegEx regex;
    regex.setOptions(preCaseLess | preUnGreedy);
    return SearchRequest(text, term, regex, progress, loose).run();
}

} // namespace wordhoard
