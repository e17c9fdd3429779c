// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/PerlRegEx.h"

#include "search/CharacterTables.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace wordhoard {

namespace {

// Classic PCRE handed out 300 ints of offsets, of which it used two thirds: 100 start/end pairs.
constexpr std::uint32_t kOffsetPairs = 100;
// The JIT's own stack grows up to this size before a match fails with a JIT stack error.
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 16 * 1024 * 1024;

QByteArray errorText(int code) {
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
    if (length < 0) return QByteArray("error ") + QByteArray::number(code);
    return QByteArray(reinterpret_cast<const char*>(buffer), length);
}

std::uint32_t compileOptions(TPerlRegExOptions options) {
    std::uint32_t bits = 0;
    if (options & preCaseLess) bits |= PCRE2_CASELESS;
    if (options & preMultiLine) bits |= PCRE2_MULTILINE;
    if (options & preSingleLine) bits |= PCRE2_DOTALL;
    if (options & preExtended) bits |= PCRE2_EXTENDED;
    if (options & preAnchored) bits |= PCRE2_ANCHORED;
    if (options & preDollarEndOnly) bits |= PCRE2_DOLLAR_ENDONLY;
    if (options & preUnGreedy) bits |= PCRE2_UNGREEDY;
    return bits;
}

// A long subject is matched by a second compilation of the pattern with a callout before every
// item, which reads the clock now and then and stops a match that runs too long. The callouts
// cost PCRE2 much of its speed, so subjects of up to MatchLimits::clockedSubjectBytes use the
// plain compilation.

struct MatchClock {
    std::chrono::steady_clock::time_point deadline;
    std::uint32_t calls = 0;
    bool expired = false;
};

int checkMatchClock(MatchClock& clock) {
    // A callout runs for every item tried; reading the clock costs more than most of them.
    if (++clock.calls % 1024 != 0) return 0;
    if (std::chrono::steady_clock::now() < clock.deadline) return 0;
    clock.expired = true;
    return PCRE2_ERROR_CALLOUT;
}

// What one match's callouts consult: the clock (on the clocked compilation only) and the
// caller's check of the pattern's own numbered callouts.
struct CalloutState {
    MatchClock* clock = nullptr;
    TPerlRegEx::CalloutCheck check = nullptr;
    void* data = nullptr;
};

constexpr std::uint32_t kAutoCallout = 255; // the number PCRE2_AUTO_CALLOUT gives its callouts

int onCallout(pcre2_callout_block* block, void* data) {
    auto* state = static_cast<CalloutState*>(data);
    if (block->callout_number == kAutoCallout) return state->clock ? checkMatchClock(*state->clock) : 0;
    if (state->check && !state->check(state->data, block->callout_number, static_cast<qsizetype>(block->current_position))) {
        return 1; // this path fails here; the match goes on with the next one
    }
    return 0;
}

} // namespace

namespace {
// Owns one PCRE2 object and frees it exactly once.
template <typename T, void (*Free)(T*)>
struct Owned {
    T* p;
    explicit Owned(T* owned) : p(owned) {}
    ~Owned() {
        if (p != nullptr) Free(p);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
};
} // namespace

struct TPerlRegEx::Code : Owned<pcre2_code, pcre2_code_free> {
    using Owned::Owned;
};
struct TPerlRegEx::MatchData : Owned<pcre2_match_data, pcre2_match_data_free> {
    using Owned::Owned;
};
struct TPerlRegEx::MatchContext : Owned<pcre2_match_context, pcre2_match_context_free> {
    using Owned::Owned;
};
struct TPerlRegEx::JitStack : Owned<pcre2_jit_stack, pcre2_jit_stack_free> {
    using Owned::Owned;
};

namespace {
struct CompileContextHolder {
    pcre2_compile_context* p = pcre2_compile_context_create(nullptr);
    CompileContextHolder() {
        if (p != nullptr) pcre2_set_character_tables(p, windows1252Tables().data());
    }
    ~CompileContextHolder() { pcre2_compile_context_free(p); }
    CompileContextHolder(const CompileContextHolder&) = delete;
    CompileContextHolder& operator=(const CompileContextHolder&) = delete;
};

// Whether PCRE2 starts or ends its search for a match with the byte 0xFF.
bool firstOrLastUnitIsFF(const pcre2_code* code) {
    const auto unitIsFF = [code](std::uint32_t typeWhat, std::uint32_t unitWhat) {
        std::uint32_t type = 0;
        std::uint32_t unit = 0;
        return pcre2_pattern_info(code, typeWhat, &type) == 0 && type == 1 &&
               pcre2_pattern_info(code, unitWhat, &unit) == 0 && unit == 0xFF;
    };
    return unitIsFF(PCRE2_INFO_FIRSTCODETYPE, PCRE2_INFO_FIRSTCODEUNIT) ||
           unitIsFF(PCRE2_INFO_LASTCODETYPE, PCRE2_INFO_LASTCODEUNIT);
}

pcre2_code* compilePattern(QByteArrayView pattern, TPerlRegExOptions options, int& errorCode, PCRE2_SIZE& errorOffset,
                           std::uint32_t extraOptions = 0) {
    static thread_local CompileContextHolder context;
    const auto compile = [&](std::uint32_t more) {
        return pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), static_cast<PCRE2_SIZE>(pattern.size()),
                             compileOptions(options) | extraOptions | more, &errorCode, &errorOffset, context.p);
    };
    pcre2_code* code = compile(0);
    // PCRE2 (10.42) looks for a caseless first or last code unit in both cases only when it is
    // below 0xFF, and our tables pair 0xFF 'ÿ' with 0x9F 'Ÿ': "y\xFF" would miss "yŸ", and
    // "\xFF" would find the 'ÿ' of "Ÿÿ" instead of the 'Ÿ'. Such a pattern does without those
    // shortcuts; the matching itself pairs the two bytes.
    if (code != nullptr && firstOrLastUnitIsFF(code)) {
        pcre2_code_free(code);
        code = compile(PCRE2_NO_START_OPTIMIZE);
    }
    return code;
}
} // namespace

RegexCompileError::RegexCompileError(qsizetype offset, const std::string& reason)
    : RegexError("TPerlRegEx.Compile() - Error in regex at offset " + std::to_string(offset) + ": " + reason),
      m_offset(offset), m_reason(reason) {}

TPerlRegEx::TPerlRegEx() = default;

TPerlRegEx::~TPerlRegEx() = default;

const std::array<unsigned char, 256>& TPerlRegEx::otherCase() {
    // PCRE2 pairs a caseless byte with its entry in this very map.
    static const std::array<unsigned char, 256> flip = [] {
        std::array<unsigned char, 256> out{};
        const auto from = windows1252Tables().begin() + tables::kFlipCase;
        std::copy(from, from + 256, out.begin());
        return out;
    }();
    return flip;
}

void TPerlRegEx::discard() {
    m_code.reset();
    m_timedCode.reset();
    m_jit = false;
    m_count = 0;
}

void TPerlRegEx::setOptions(TPerlRegExOptions options) {
    if (options == m_options) return;
    m_options = options;
    discard();
}

void TPerlRegEx::setRegEx(QByteArrayView pattern) {
    if (QByteArrayView(m_regEx) == pattern) return;
    m_regEx = pattern.toByteArray();
    discard();
}

void TPerlRegEx::setMatchLimits(const MatchLimits& limits) {
    m_limits = limits;
    m_matchContext.reset();
}

void TPerlRegEx::Compile() {
    if (m_code) return;
    if (m_regEx.isEmpty()) {
        throw RegexError("TPerlRegEx.Compile() - Please specify a regular expression in RegEx first");
    }
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code = compilePattern(m_regEx, m_options, errorCode, errorOffset);
    if (code == nullptr) {
        throw RegexCompileError(static_cast<qsizetype>(errorOffset), errorText(errorCode).toStdString());
    }
    m_code = std::make_unique<Code>(code);
    m_timedCode.reset();
    // Without JIT support (or on a pattern the JIT refuses) the interpreter gives the same answers.
    m_jit = pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) == 0;
    m_count = 0;
}

void TPerlRegEx::ensureMatchContext() {
    if (!m_matchData) {
        pcre2_match_data* data = pcre2_match_data_create(kOffsetPairs, nullptr);
        if (data == nullptr) throw std::bad_alloc();
        m_matchData = std::make_unique<MatchData>(data);
    }
    if (m_matchContext && m_contextForJit == m_jit) return;
    m_matchContext.reset();
    m_contextForJit = m_jit;
    pcre2_match_context* context = pcre2_match_context_create(nullptr);
    if (context == nullptr) throw std::bad_alloc();
    m_matchContext = std::make_unique<MatchContext>(context);
    pcre2_set_match_limit(context, m_jit ? m_limits.jitMatchLimit : m_limits.matchLimit);
    pcre2_set_depth_limit(context, m_limits.depthLimit);
    pcre2_set_heap_limit(context, m_limits.heapLimitKiB);
    if (!m_jitStack) {
        if (pcre2_jit_stack* stack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr)) {
            m_jitStack = std::make_unique<JitStack>(stack);
        }
    }
    if (m_jitStack) pcre2_jit_stack_assign(context, nullptr, m_jitStack->p);
}

bool TPerlRegEx::Match() {
    Compile();
    m_count = 0;
    if (m_subject.isEmpty()) return false;
    ensureMatchContext();
    pcre2_code* code = m_code->p;
    MatchClock clock;
    if (m_limits.timeLimitMs > 0 && m_subject.size() > static_cast<qsizetype>(m_limits.clockedSubjectBytes)) {
        if (!m_timedCode) {
            int errorCode = 0;
            PCRE2_SIZE errorOffset = 0;
            // Should it ever fail, the plain compilation still gives the right answers.
            pcre2_code* compiled = compilePattern(m_regEx, m_options, errorCode, errorOffset, PCRE2_AUTO_CALLOUT);
            m_timedCode = std::make_unique<Code>(compiled);
            if (compiled != nullptr) pcre2_jit_compile(compiled, PCRE2_JIT_COMPLETE);
        }
        if (m_timedCode->p != nullptr) {
            code = m_timedCode->p;
            clock.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_limits.timeLimitMs);
        }
    }
    CalloutState callouts{code == m_code->p ? nullptr : &clock, m_calloutCheck, m_calloutData};
    const bool anyCallout = callouts.clock != nullptr || callouts.check != nullptr;
    pcre2_set_callout(m_matchContext->p, anyCallout ? onCallout : nullptr, &callouts);
    const int rc = pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(m_subject.data()),
                               static_cast<PCRE2_SIZE>(m_subject.size()), 0, PCRE2_NOTEMPTY, m_matchData->p,
                               m_matchContext->p);
    if (rc == PCRE2_ERROR_NOMATCH) return false;
    if (clock.expired) {
        throw RegexError("TPerlRegEx.Match() - Error while matching: the match ran longer than " +
                         std::to_string(m_limits.timeLimitMs) + " ms");
    }
    if (rc < 0) {
        throw RegexError("TPerlRegEx.Match() - Error while matching: " + errorText(rc).toStdString());
    }
    // 0 means a match with more groups than offset pairs; like classic PCRE, that is no success.
    if (rc == 0) return false;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_matchData->p);
    m_count = rc;
    m_matchStart = static_cast<qsizetype>(ovector[0]);
    // A \K inside a lookaround could put the end before the start; never hand out a negative span.
    m_matchEnd = std::max(m_matchStart, static_cast<qsizetype>(ovector[1]));
    return true;
}

QByteArrayView TPerlRegEx::MatchedText() const {
    if (m_count <= 0) return {};
    return m_subject.sliced(m_matchStart, m_matchEnd - m_matchStart);
}

} // namespace wordhoard
