// Answers every question without a window: the headless front end's
// documented answers, and the scripted answers of the tests. Every question
// asked is recorded in order.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Questions.h"

namespace pm {

class ScriptedQuestions : public Questions {
public:
    // The answers given (defaults: a file that does not look like text
    // refused; then proceed, open for editing, convert, yes, every
    // table-of-contents entry kept, document properties confirmed).
    bool loadBinary = false;
    bool proceedLargeFile = true;
    bool neverAskLargeFile = false;
    FormattingDetectedAnswer::Choice formattingChoice = FormattingDetectedAnswer::Choice::OpenForEditing;
    bool neverAskFormatting = false;
    YesNoCancel wrongEncoding = YesNoCancel::Yes;
    bool yesNo = true;
    // Answers to the yes/no questions in the order they are asked; yesNo
    // answers once they run out.
    std::deque<bool> yesNoAnswers;
    YesNoCancel yesNoCancel = YesNoCancel::Yes;
    std::vector<int> tocUncheck;  // 1-based entries to uncheck
    bool confirmToc = true;       // false: the window is closed without "Done"
    bool confirmDocProperties = true;

    struct Asked {
        std::string kind;  // "message", "yesno", "warning", "yesnocancel", "binary", "large", "formatting",
                           // "notconverted", "encoding", "toc", "docprops"
        std::string caption;
        std::string text;
    };
    std::vector<Asked> asked;

    void ShowMessage(const std::string& caption, const std::string& text, MessageIcon) override {
        asked.push_back({"message", caption, text});
    }
    bool AskYesNo(const std::string& caption, const std::string& text) override {
        asked.push_back({"yesno", caption, text});
        if (yesNoAnswers.empty()) return yesNo;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    bool AskWarningYesNo(const std::string& caption, const std::string& text) override {
        asked.push_back({"warning", caption, text});
        return yesNo;
    }
    YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& text) override {
        asked.push_back({"yesnocancel", caption, text});
        return yesNoCancel;
    }
    bool AskLoadBinary(const std::string& text) override {
        asked.push_back({"binary", "", text});
        return loadBinary;
    }
    LargeFileAnswer AskLargeFile(const std::string& text, const std::string& cancelCaption) override {
        asked.push_back({"large", cancelCaption, text});
        return {proceedLargeFile, neverAskLargeFile};
    }
    FormattingDetectedAnswer AskFormattingDetected(const std::string& text) override {
        asked.push_back({"formatting", "Formating detected", text});
        return {formattingChoice, neverAskFormatting};
    }
    FormattingDetectedAnswer AskNotConverted(const std::string& text) override {
        asked.push_back({"notconverted", "Formating detected", text});
        return {formattingChoice, neverAskFormatting};
    }
    YesNoCancel AskWrongEncoding(const std::string& caption, const std::string& text) override {
        asked.push_back({"encoding", caption, text});
        return wrongEncoding;
    }
    bool ConfirmToc(std::vector<TocChoice>& entries) override {
        asked.push_back({"toc", "", std::to_string(entries.size())});
        for (int n : tocUncheck)
            if (n >= 1 && static_cast<size_t>(n) <= entries.size()) entries[static_cast<size_t>(n) - 1].checked = false;
        return confirmToc;
    }
    bool AskDocProperties(DocPropertiesRequest& request) override {
        asked.push_back({"docprops", "", request.values.title});
        return confirmDocProperties;
    }

    size_t CountAsked(const std::string& kind) const {
        size_t n = 0;
        for (const auto& a : asked) n += a.kind == kind;
        return n;
    }
};

}  // namespace pm
