// The loader's code-page step: recognise the code page of a freshly read
// source and bring the text into the working code page.
#pragma once

#include <string>

namespace pm {

class Texts;
class Questions;

// The "Open for editing" dialog's file types, which are the user's code-page choice.
enum OpenAsType : int { kOpenAsWindows = 1, kOpenAsDos = 2, kOpenAsKoi8 = 3 };

// UTF-8 (with or without a byte-order mark) is decoded first: its lead
// bytes would otherwise score as KOI8-R. Then a high DOS or KOI8-R score
// asks the wrong-encoding question (unless that very type was chosen);
// without a question the chosen type decides. False when the question was
// closed without an answer: the load is given up.
bool DetectAndConvertCodePage(std::string& text, int chosenType, const Texts& texts, Questions& questions);

}  // namespace pm
