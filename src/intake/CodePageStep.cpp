#include "intake/CodePageStep.h"

#include "common/Cp1251.h"
#include "config/Texts.h"
#include "intake/CodePages.h"
#include "platform/Questions.h"

namespace pm {
namespace {

constexpr int kDosThreshold = 8;
constexpr int kKoiThreshold = 300;

YesNoCancel AskConvert(const Texts& texts, Questions& questions, const char* textKey) {
    return questions.AskWrongEncoding(texts.Msg("WrongCode"), texts.Msg(textKey));
}

}  // namespace

bool DetectAndConvertCodePage(std::string& text, int chosenType, const Texts& texts, Questions& questions) {
    const bool wasUtf8 = cp1251::LooksLikeUtf8(text);
    if (wasUtf8) text = cp1251::FromUtf8(text);

    if (codepages::DosScore(text) > kDosThreshold && chosenType != kOpenAsDos) {
        const YesNoCancel answer = AskConvert(texts, questions, "DosCoded");
        if (answer == YesNoCancel::Yes) codepages::ConvertFromDos(text);
        return answer != YesNoCancel::Cancel;
    }
    if (codepages::KoiScore(text) > kKoiThreshold && chosenType != kOpenAsKoi8) {
        const YesNoCancel answer = AskConvert(texts, questions, "COICoded");
        if (answer == YesNoCancel::Yes) codepages::ConvertFromKoi8(text);
        return answer != YesNoCancel::Cancel;
    }
    // Decoded UTF-8 is already in the working code page; a DOS or KOI8-R
    // choice made for it would only garble it.
    if (wasUtf8) return true;
    if (chosenType == kOpenAsDos)
        codepages::ConvertFromDos(text);
    else if (chosenType == kOpenAsKoi8)
        codepages::ConvertFromKoi8(text);
    return true;
}

}  // namespace pm
