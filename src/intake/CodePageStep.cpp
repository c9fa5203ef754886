#include "intake/CodePageStep.h"

#include "common/Cp1251.h"
#include "config/Texts.h"
#include "intake/CodePages.h"
#include "platform/Questions.h"

namespace pm {
namespace {

constexpr int kDosThreshold = 8;
constexpr int kKoiThreshold = 300;

bool AskConvert(const Texts& texts, Questions& questions, const char* textKey) {
    return questions.AskWrongEncoding(texts.Msg("WrongCode"), texts.Msg(textKey));
}

}  // namespace

void DetectAndConvertCodePage(std::string& text, int chosenType, const Texts& texts, Questions& questions) {
    const bool wasUtf8 = cp1251::LooksLikeUtf8(text);
    if (wasUtf8) text = cp1251::FromUtf8(text);

    if (codepages::DosScore(text) > kDosThreshold && chosenType != kOpenAsDos) {
        if (AskConvert(texts, questions, "DosCoded")) codepages::ConvertFromDos(text);
        return;
    }
    if (codepages::KoiScore(text) > kKoiThreshold && chosenType != kOpenAsKoi8) {
        if (AskConvert(texts, questions, "COICoded")) codepages::ConvertFromKoi8(text);
        return;
    }
    // Decoded UTF-8 is already in the working code page; a DOS or KOI8-R
    // choice made for it would only garble it.
    if (wasUtf8) return;
    if (chosenType == kOpenAsDos)
        codepages::ConvertFromDos(text);
    else if (chosenType == kOpenAsKoi8)
        codepages::ConvertFromKoi8(text);
}

}  // namespace pm
