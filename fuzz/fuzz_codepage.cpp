// The code-page intake: the text test, the DOS and KOI8-R scores and
// conversions, and UTF-8 decoding, on any bytes and with any answer to
// the wrong-encoding question.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "common/Cp1251.h"
#include "config/Texts.h"
#include "intake/CodePageStep.h"
#include "intake/TextSniff.h"
#include "platform/ScriptedQuestions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pm::fuzz::FuzzInput in(data, size);
    const uint8_t options = in.Byte();
    const int chosenType = 1 + options % 3;  // Windows/autodetect, DOS, KOI8-R
    static const pm::YesNoCancel kAnswers[] = {pm::YesNoCancel::Yes, pm::YesNoCancel::No, pm::YesNoCancel::Cancel};
    pm::ScriptedQuestions questions;
    questions.wrongEncoding = kAnswers[(options / 3) % 3];
    static const pm::Texts texts;

    const std::string source(in.Rest());
    pm::intake::LooksBinary(source);
    std::string text = source;
    const bool utf8 = pm::cp1251::LooksLikeUtf8(source);
    const bool kept = pm::DetectAndConvertCodePage(text, chosenType, texts, questions);
    // The single-byte code pages convert byte for byte.
    if (kept && !utf8 && text.size() != source.size()) std::abort();
    pm::cp1251::FromUtf8(pm::cp1251::ToUtf8(text));
    return 0;
}
