#include "config/Texts.h"

#include "config/DefaultTexts.h"
#include "config/TextTable.h"

namespace pm {

Texts::Texts() : messages_(DefaultTable<kDefaultMessages>()), processes_(DefaultTable<kDefaultProcesses>()) {}

const std::string& Texts::Msg(std::string_view key) const { return LookupText(messages_, unknown_, key); }
const std::string& Texts::Proc(std::string_view key) const { return LookupText(processes_, unknown_, key); }
std::string Texts::Task(std::string_view key) const { return Proc("CurrentTask") + Proc(key); }

void Texts::SetMsg(std::string_view key, std::string text) {
    if (!text.empty()) messages_[std::string(key)] = std::move(text);
}

void Texts::SetProc(std::string_view key, std::string text) {
    if (!text.empty()) processes_[std::string(key)] = std::move(text);
}

}  // namespace pm
