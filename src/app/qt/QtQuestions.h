// The desktop program's answers to the core's questions: message boxes and
// the question windows, with captions localized from the configuration.
#pragma once

#include <QWidget>

#include "config/ConfigTree.h"
#include "config/Texts.h"
#include "platform/Questions.h"

namespace pm::gui {

class QtQuestions : public Questions {
public:
    // localized: the interface localization was accepted at start.
    QtQuestions(QWidget* parent, const ConfigTree& tree, const Texts& texts, const bool& localized)
        : parent_(parent), tree_(tree), texts_(texts), localized_(localized) {}

    void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    bool AskWarningYesNo(const std::string& caption, const std::string& text) override;
    YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& text) override;
    bool AskLoadBinary(const std::string& text) override;
    LargeFileAnswer AskLargeFile(const std::string& text, const std::string& cancelCaption) override;
    FormattingDetectedAnswer AskFormattingDetected(const std::string& text) override;
    FormattingDetectedAnswer AskNotConverted(const std::string& text) override;
    YesNoCancel AskWrongEncoding(const std::string& caption, const std::string& text) override;
    bool ConfirmToc(std::vector<TocChoice>& entries) override;
    bool AskDocProperties(DocPropertiesRequest& request) override;

    // Creates the reused windows in the start order: TDetectWnd, TLarge,
    // then TContentChecker and TTetleWnd. Their captions are read now.
    void CreateLoadWindows();
    void CreateConversionWindows();

private:
    QWidget* parent_;
    const ConfigTree& tree_;
    const Texts& texts_;
    const bool& localized_;
    class TLarge* large_ = nullptr;
    class TDetectWnd* detect_ = nullptr;
    class TContentChecker* content_ = nullptr;
    class TTetleWnd* tetle_ = nullptr;
};

}  // namespace pm::gui
