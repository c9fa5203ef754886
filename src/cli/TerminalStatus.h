// Status texts and the progress figure on stderr, only when it is a terminal.
#pragma once

#include <string>

#include "platform/StatusSink.h"

namespace pm::cli {

class TerminalStatus final : public StatusSink {
public:
    TerminalStatus();
    ~TerminalStatus() override;
    void Status(const std::string& text) override;
    void Progress(const std::string& text) override;

private:
    void Draw();
    bool tty_;
    std::string status_, progress_;
};

}  // namespace pm::cli
