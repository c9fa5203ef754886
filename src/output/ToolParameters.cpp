#include "output/ToolParameters.h"

#include <array>
#include <filesystem>

#include "common/Cp1251.h"

namespace pm {

std::string ToolParametersUtf8(std::string_view params, const DocValues& doc, const std::string& previewPath) {
    const std::string fileName = std::filesystem::path(previewPath).filename().string();
    const std::array<std::pair<std::string_view, std::string>, 5> macros = {{
        {"%shortitle%", cp1251::ToUtf8(doc.shortTitle)},
        {"%longtitle%", cp1251::ToUtf8(doc.title)},
        {"%bookauthor%", cp1251::ToUtf8(doc.author)},
        {"%shortfilename%", fileName},
        {"%fullfilename%", previewPath},
    }};
    // One left-to-right pass over the parameter text.
    std::string out;
    for (size_t i = 0; i < params.size();) {
        bool replaced = false;
        for (const auto& [macro, value] : macros) {
            if (params.substr(i, macro.size()) != macro) continue;
            out += value;
            i += macro.size();
            replaced = true;
            break;
        }
        if (replaced) continue;
        const size_t next = params.find('%', i + 1);
        out += cp1251::ToUtf8(params.substr(i, next == std::string_view::npos ? std::string_view::npos : next - i));
        i = next == std::string_view::npos ? params.size() : next;
    }
    return out;
}

}  // namespace pm
