// Status texts and the progress figure on stderr, only when it is a terminal.
// The status line is redrawn in place and ends with no line break, so
// anything else printed on the terminal must call Clear() first.
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
    // Erases the status line and puts the cursor at its start, so that the
    // next output (a message, the closing line, the document on a terminal)
    // starts a line of its own. The next status text draws a new line.
    void Clear();

private:
    void Draw();
    bool tty_;
    bool drawn_ = false;  // a status line stands on the terminal
    std::string status_, progress_;
};

}  // namespace pm::cli
