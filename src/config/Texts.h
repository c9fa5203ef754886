// The message and process tables: every message-box text and status text of
// the program, by key, with its English default. A localization replaces
// entries; code reads them at the moment it shows the text.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace pm {

class Texts {
public:
    Texts();  // the built-in English texts

    // The text of a key; an unknown key gives the key itself.
    const std::string& Msg(std::string_view key) const;
    const std::string& Proc(std::string_view key) const;
    // "CurrentTask: " followed by the process text of key.
    std::string Task(std::string_view key) const;

    // A missing or empty replacement leaves the built-in text.
    void SetMsg(std::string_view key, std::string text);
    void SetProc(std::string_view key, std::string text);

private:
    std::map<std::string, std::string, std::less<>> messages_, processes_;
    mutable std::map<std::string, std::string, std::less<>> unknown_;
};

}  // namespace pm
