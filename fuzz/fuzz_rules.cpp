// The user-rule pattern dialect: any pattern, replacement template and
// text, as a rule list holds them, applied as a conversion applies them.
// Input: pattern NUL replacement NUL text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "regexlists/PatternDialect.h"
#include "regexlists/RegexApply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pm::fuzz::FuzzInput in(data, size);
    const std::string_view pattern = in.Part();
    const std::string_view replacement = in.Part();
    const std::string_view text = in.Rest();
    pm::rx::TranslatePattern(pattern);
    const pm::rx::RegexOutcome r = pm::rx::TryApplyRegex(pattern, replacement, text);
    if (!r.ok && r.text != text) std::abort();  // a failed rule leaves the text alone
    return 0;
}
