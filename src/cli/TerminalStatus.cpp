#include "cli/TerminalStatus.h"

#include <unistd.h>

#include <cstdio>

#include "common/Cp1251.h"

namespace pm::cli {

TerminalStatus::TerminalStatus() : tty_(::isatty(STDERR_FILENO) == 1) {}

TerminalStatus::~TerminalStatus() {
    if (tty_ && !status_.empty()) std::fputs("\r\033[K", stderr);
}

void TerminalStatus::Status(const std::string& text) {
    status_ = text;
    progress_.clear();
    Draw();
}

void TerminalStatus::Progress(const std::string& text) {
    progress_ = text;
    Draw();
}

void TerminalStatus::Draw() {
    if (!tty_) return;
    std::string line = cp1251::ToUtf8(status_);
    if (!progress_.empty()) line += " [" + progress_ + "]";
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
}

}  // namespace pm::cli
