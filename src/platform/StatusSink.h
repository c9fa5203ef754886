// Where the core shows its status line and progress figure: the status bar
// of the desktop program, stderr of the headless front end, nothing in tests.
#pragma once

#include <string>

namespace pm {

class StatusSink {
public:
    virtual ~StatusSink() = default;
    // The status line (the second panel), shown at once.
    virtual void Status(const std::string& text) = 0;
    // The progress figure (the first panel), e.g. "42%".
    virtual void Progress(const std::string& text) = 0;
    // The wait cursor during reading, writing and converting.
    virtual void Busy(bool /*busy*/) {}
    // False when the progress figure goes nowhere: it is then not made.
    virtual bool ShowsProgress() const { return true; }
};

class NullStatusSink final : public StatusSink {
public:
    void Status(const std::string&) override {}
    void Progress(const std::string&) override {}
    bool ShowsProgress() const override { return false; }
};

}  // namespace pm
