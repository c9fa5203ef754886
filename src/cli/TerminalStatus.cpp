#include "cli/TerminalStatus.h"

#include <unistd.h>

#include <cstdio>

#include "common/Cp1251.h"

namespace pm::cli {

TerminalStatus::TerminalStatus() : tty_(::isatty(STDERR_FILENO) == 1) {}

TerminalStatus::~TerminalStatus() { Clear(); }

void TerminalStatus::Status(const std::string& text) {
    status_ = text;
    progress_.clear();
    Draw();
}

void TerminalStatus::Progress(const std::string& text) {
    progress_ = text;
    Draw();
}

void TerminalStatus::Clear() {
    status_.clear();
    progress_.clear();
    if (!drawn_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    drawn_ = false;
}

void TerminalStatus::Draw() {
    if (!tty_) return;
    std::string line = cp1251::ToUtf8(status_);
    if (!progress_.empty()) line += " [" + progress_ + "]";
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

}  // namespace pm::cli
