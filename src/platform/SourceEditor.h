// The source editor (the "Source" page of the advanced mode) as the core
// sees it. The desktop program implements it over its text widget; text
// crosses this interface in the working code page.
#pragma once

#include <cstddef>
#include <string>

namespace pm {

class SourceEditor {
public:
    struct Selection {
        size_t start = 0;   // 0-based character offset
        size_t length = 0;
    };

    virtual ~SourceEditor() = default;

    // The whole text, lines separated by CR LF, CR or LF.
    virtual std::string Text() const = 0;
    // Replaces the whole text.
    virtual void SetText(const std::string& text) = 0;

    // The editor's modified mark.
    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;

    virtual Selection GetSelection() const = 0;
    virtual void SetSelection(const Selection& selection) = 0;
};

}  // namespace pm
