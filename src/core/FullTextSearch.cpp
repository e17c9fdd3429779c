#include "FullTextSearch.h"

#include "CodePage.h"
#include "EntityDecoding.h"
#include "EntryIndex.h"
#include "FileAccess.h"
#include "MapTextfile.h"
#include "SearchTerm.h"

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

namespace {

// One pass of `pattern` over the whole text, appending its hits to outcome.hits in text order.
// `scannedBefore`/`totalScan` place the pass within its request for the progress callback.
void searchPass(const TMapTextfile& text, QStringView pattern, TPerlRegEx& term, TPerlRegEx& spaceTest,
                SearchOutcome& outcome, const SearchProgress& progress, std::int64_t scannedBefore,
                std::int64_t totalScan) {
    if (pattern.size() > kMaxSearchPatternLength) {
        outcome.error = searchPatternTooLong(pattern.size());
        return;
    }
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

    bool firstCandidate = true;
    std::optional<QByteArray> literal;
    bool literalInFilter = false;
    // The bytes the pre-filter looks for: the pattern up to its first '*' after index 0.
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
            const std::int32_t candidate = text.FindWild(bytes, start, 0, '*', '.');
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
            if (!term.Match()) continue;
            spaceTest.setSubject(term.MatchedText());
            if (spaceTest.Match()) continue;
            outcome.hits.push_back({static_cast<std::int32_t>(entryStart),
                                    decodeEntityBytes(rawHeadword(text, static_cast<std::int32_t>(entryStart))),
                                    static_cast<std::int32_t>(term.MatchedOffset()),
                                    static_cast<std::int32_t>(term.MatchedText().size())});
        }
    } catch (const RegexError& e) {
        outcome.error = QString::fromUtf8(e.what());
        return;
    }
    if (progress && !progress(scannedBefore + size, totalScan)) outcome.cancelled = true;
}

} // namespace

SearchRequest::SearchRequest(const TMapTextfile& text, QStringView term, TPerlRegEx& regex, SearchProgress progress)
    : m_text(text), m_regex(regex), m_progress(std::move(progress)) {
    const SearchPatterns patterns = encodeSearchTerm(term);
    m_passes << patterns.entityWildcard;
    if (patterns.needsSecondPass()) m_passes << patterns.letterWildcard;
}

SearchOutcome SearchRequest::runPass(QStringView pattern) {
    const std::int64_t size = m_text.size();
    const std::int64_t total = std::max<qsizetype>(m_passes.size(), 1) * size;
    SearchOutcome outcome;
    m_spaceTest.setMatchLimits(m_regex.matchLimits());
    searchPass(m_text, pattern, m_regex, m_spaceTest, outcome, m_progress, m_scannedBefore, std::max(total, m_scannedBefore + size));
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

SearchOutcome runFullTextSearch(const TMapTextfile& text, QStringView term, const SearchProgress& progress) {
    TPerlRegEx regex;
    regex.setOptions(preCaseLess | preUnGreedy);
    return SearchRequest(text, term, regex, progress).run();
}

} // namespace wordhoard
