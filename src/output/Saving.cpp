#include "output/Saving.h"

#include <filesystem>

#include "output/Footer.h"
#include "document/PlainText.h"

namespace pm {

std::string DocumentWithFooter(const LineList& result, const Settings& settings, const Templates& templates) {
    if (templates.XmlOutputMode()) return result.Join("\r\n");
    const std::string footer = FooterText(settings, templates);
    return InsertFooter(result.Join("\r\n", footer.size()), footer);
}

std::string PlainTextDocument(const LineList& result, const Settings& settings, const Templates& templates) {
    std::string text = RenderPlainText(result.Join("\r\n"));
    text += "\n\r";
    text += PlainTextCredit();
    if (settings.Hyphenate) {
        text += "\n\r";
        text += PlainHyphenationLine(settings, templates);
    }
    return text;
}

std::string SwapXmlReferences(std::string text, std::string_view local, std::string_view publicRefs) {
    if (local.empty()) return text;
    const size_t at = text.find(local);
    if (at == std::string::npos) return text;
    size_t length = local.size();
    if (at + length < text.size() && text[at + length] == '\r') ++length;
    text.replace(at, length, publicRefs);
    return text;
}

std::string WithDefaultExtension(const std::string& path, std::string_view ext) {
    if (std::filesystem::path(path).filename().has_extension()) return path;
    return path + std::string(ext);
}

std::string ProposedSaveName(const std::string& source, std::string_view ext, bool bare) {
    if (source.empty()) return {};
    std::filesystem::path named(source);
    named.replace_extension(ext);
    if (named == source) named += ext;
    return bare ? named.filename().string() : named.string();
}

std::string FolderOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace pm
