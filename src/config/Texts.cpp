#include "config/Texts.h"

#include "config/DefaultTexts.h"

namespace pm {

namespace {

using Table = std::map<std::string, std::string, std::less<>>;

// Built once per list; a copy of a built table costs no comparisons.
template <const auto& defaults>
const Table& DefaultTable() {
    static const Table table = [] {
        Table t;
        for (const auto& [k, v] : defaults) t.emplace(std::string(k), std::string(v));
        return t;
    }();
    return table;
}

}  // namespace

Texts::Texts() : messages_(DefaultTable<kDefaultMessages>()), processes_(DefaultTable<kDefaultProcesses>()) {}

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
