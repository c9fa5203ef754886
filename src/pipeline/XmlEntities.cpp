// Stage 25: character references an XML parser would not know become the
// bytes they stand for; a bare "&" becomes "&amp;".
#include "document/EntityTable.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

// References that are already right for XML stay as written.
bool KeptAsWritten(std::string_view at) {
    return at.starts_with("&lt;") || at.starts_with("&gt;") || at.starts_with("&#") || at.starts_with("&amp;");
}

// The table entry whose "name;" follows the "&" at s[0], if any.
const EntityName* MatchEntity(std::string_view s) {
    for (const EntityName& e : kEntityTable) {
        if (s.size() < e.name.size() + 2) continue;
        if (s.substr(1, e.name.size()) == e.name && s[e.name.size() + 1] == ';') return &e;
    }
    return nullptr;
}

std::string CleanEntities(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 16);
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            out += s[i];
            continue;
        }
        const std::string_view at = s.substr(i);
        if (KeptAsWritten(at)) {
            out += '&';
        } else if (const EntityName* e = MatchEntity(at)) {
            out += static_cast<char>(static_cast<unsigned char>(e->code));
            i += e->name.size() + 1;
        } else {
            out += "&amp;";
        }
    }
    return out;
}

}  // namespace

void StageXmlEntities(ConversionContext& ctx) {
    LineList& lines = ctx.lines;
    for (size_t i = 0; i < lines.Count(); ++i) {
        if (lines.Text(i).find('&') == std::string::npos) continue;
        lines.SetText(i, CleanEntities(lines.Text(i)));
    }
}

}  // namespace pm
