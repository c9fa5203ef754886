#include "config/Texts.h"

#include "config/DefaultTexts.h"

namespace pm {

Texts::Texts() {
    for (const auto& [k, v] : kDefaultMessages) messages_.emplace(std::string(k), std::string(v));
    for (const auto& [k, v] : kDefaultProcesses) processes_.emplace(std::string(k), std::string(v));
}

namespace {
const std::string& Lookup(const std::map<std::string, std::string, std::less<>>& table,
                          std::map<std::string, std::string, std::less<>>& unknown,
                          std::string_view key) {
    if (auto it = table.find(key); it != table.end()) return it->second;
    return unknown.try_emplace(std::string(key), std::string(key)).first->second;
}
}  // namespace

const std::string& Texts::Msg(std::string_view key) const { return Lookup(messages_, unknown_, key); }
const std::string& Texts::Proc(std::string_view key) const { return Lookup(processes_, unknown_, key); }
std::string Texts::Task(std::string_view key) const { return Proc("CurrentTask") + Proc(key); }

void Texts::SetMsg(std::string_view key, std::string text) {
    if (!text.empty()) messages_[std::string(key)] = std::move(text);
}

void Texts::SetProc(std::string_view key, std::string text) {
    if (!text.empty()) processes_[std::string(key)] = std::move(text);
}

}  // namespace pm
