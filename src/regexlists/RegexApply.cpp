#include "regexlists/RegexApply.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <memory>

#include "regexlists/CharTables.h"
#include "regexlists/PatternDialect.h"
#include "regexlists/ReplaceTemplate.h"

namespace pm::rx {
namespace {

// Backtracking bounds for users' patterns. The match limit grows with the
// text, since a lazy "(?s)<body>(.*)</body>" over a whole book takes a step
// per character; "^(a+)+$" on thirty "a" and a "b" still gives up within
// milliseconds. A repeated group nests one frame per repetition, so the
// depth and heap limits keep such a rule over a whole book to a few hundred
// megabytes before it takes the error path.
constexpr uint32_t kMinMatchLimit = 2'000'000;
constexpr uint32_t kMaxMatchLimit = 400'000'000;
constexpr uint32_t kDepthLimit = 500'000;
constexpr uint32_t kHeapLimitKiB = 256 * 1024;

uint32_t MatchLimitFor(size_t textSize) {
    const size_t scaled = textSize < kMaxMatchLimit / 4 ? 4 * textSize : kMaxMatchLimit;
    return static_cast<uint32_t>(std::max<size_t>(kMinMatchLimit, scaled));
}

constexpr uint32_t kCompileOptions =
    PCRE2_MULTILINE | PCRE2_UNGREEDY | PCRE2_NEVER_UTF | PCRE2_NEVER_UCP | PCRE2_NEVER_BACKSLASH_C;

struct CodeFree { void operator()(pcre2_code* p) const { pcre2_code_free(p); } };
struct DataFree { void operator()(pcre2_match_data* p) const { pcre2_match_data_free(p); } };
struct CompileCtxFree { void operator()(pcre2_compile_context* p) const { pcre2_compile_context_free(p); } };
struct MatchCtxFree { void operator()(pcre2_match_context* p) const { pcre2_match_context_free(p); } };

using Code = std::unique_ptr<pcre2_code, CodeFree>;
using MatchData = std::unique_ptr<pcre2_match_data, DataFree>;
using MatchCtx = std::unique_ptr<pcre2_match_context, MatchCtxFree>;

std::string ErrorText(int code) {
    PCRE2_UCHAR buf[256];
    const int n = pcre2_get_error_message(code, buf, sizeof buf);
    return n < 0 ? "error " + std::to_string(code) : std::string(reinterpret_cast<char*>(buf), n);
}

Code Compile(std::string_view pattern, std::string& error) {
    std::unique_ptr<pcre2_compile_context, CompileCtxFree> ctx(pcre2_compile_context_create(nullptr));
    if (!ctx) {
        error = "out of memory";
        return nullptr;
    }
    pcre2_set_character_tables(ctx.get(), Cp1251Tables());
    pcre2_set_newline(ctx.get(), PCRE2_NEWLINE_ANYCRLF);
    const std::string translated = TranslatePattern(pattern);
    int code = 0;
    PCRE2_SIZE offset = 0;
    Code re(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()), translated.size(), kCompileOptions,
                          &code, &offset, ctx.get()));
    if (!re) error = ErrorText(code) + " at offset " + std::to_string(offset);
    return re;
}

MatchCtx LimitedMatchContext(size_t textSize) {
    MatchCtx ctx(pcre2_match_context_create(nullptr));
    if (ctx) {
        pcre2_set_match_limit(ctx.get(), MatchLimitFor(textSize));
        pcre2_set_depth_limit(ctx.get(), kDepthLimit);
        pcre2_set_heap_limit(ctx.get(), kHeapLimitKiB);
    }
    return ctx;
}

// After an empty match that cannot be extended, the scan moves on by one
// character; a CR LF pair counts as one, as the newline convention says.
size_t StepOver(std::string_view s, size_t at) {
    if (at + 1 < s.size() && s[at] == '\r' && s[at + 1] == '\n') return at + 2;
    return at + 1;
}

bool ReplaceAll(const pcre2_code* re, const ReplaceTemplate& tpl, std::string_view in, std::string& out,
                std::string& error) {
    MatchData md(pcre2_match_data_create_from_pattern(re, nullptr));
    MatchCtx mctx = LimitedMatchContext(in.size());
    if (!md || !mctx) {
        error = "out of memory";
        return false;
    }
    const auto* subject = reinterpret_cast<PCRE2_SPTR>(in.data());
    out.reserve(in.size());
    size_t start = 0, copied = 0;
    uint32_t flags = 0;
    while (start <= in.size()) {
        const int rc = pcre2_match(re, subject, in.size(), start, flags, md.get(), mctx.get());
        if (rc == PCRE2_ERROR_NOMATCH) {
            if (flags == 0) break;
            flags = 0;
            start = StepOver(in, start);
            continue;
        }
        if (rc < 0) {
            error = ErrorText(rc);
            return false;
        }
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(md.get());
        if (ov[0] > ov[1] || ov[0] < copied) {  // \K inside an assertion
            error = "a match that ends before it starts";
            return false;
        }
        out.append(in.substr(copied, ov[0] - copied));
        tpl.AppendTo(out, in, ov, static_cast<size_t>(rc));
        copied = start = ov[1];
        flags = ov[0] == ov[1] ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0;
    }
    out.append(in.substr(copied));
    return true;
}

}  // namespace

RegexOutcome TryApplyRegex(std::string_view pattern, std::string_view replacement, std::string_view input) {
    RegexOutcome r;
    Code re = Compile(pattern, r.error);
    if (re && ReplaceAll(re.get(), ReplaceTemplate(replacement), input, r.text, r.error)) {
        r.ok = true;
        return r;
    }
    r.text.assign(input);
    return r;
}

std::string ApplyRegex(std::string_view pattern, std::string_view replacement, std::string_view input) {
    RegexOutcome r = TryApplyRegex(pattern, replacement, input);
    if (r.ok) return std::move(r.text);
    std::string out(kErrorMark);
    out += input;
    return out;
}

}  // namespace pm::rx
