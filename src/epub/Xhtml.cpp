#include "epub/Xhtml.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/Cp1251.h"
#include "document/EntityTable.h"

namespace pm::epub {
namespace {

// How an element of the source takes part in the structure of the output.
enum class Kind {
    Flow,         // holds blocks and text (div, blockquote, table cells)
    PhraseBlock,  // a block that holds text only (p, h1-h6, pre)
    Inline,       // text-level markup
    List,         // ul, ol: holds list items only
    ListItem,     // li
    VoidInline,   // br, img
    VoidBlock,    // hr
    Skip,         // dropped with everything inside it
};

struct TagRule {
    std::string_view source;
    std::string_view output;  // "" for Skip
    Kind kind;
    std::string_view cls;  // class of the style sheet it keeps the look by
};

// Tags not listed are dropped and their content kept.
constexpr std::array<TagRule, 78> kRules = {{
    {"a", "a", Kind::Inline, ""},
    {"abbr", "abbr", Kind::Inline, ""},
    {"acronym", "abbr", Kind::Inline, ""},
    {"address", "div", Kind::Flow, ""},
    {"applet", "", Kind::Skip, ""},
    {"article", "div", Kind::Flow, ""},
    {"aside", "div", Kind::Flow, ""},
    {"author", "span", Kind::Inline, "epigraph-author"},
    {"b", "b", Kind::Inline, ""},
    {"big", "span", Kind::Inline, "big"},
    {"blockquote", "blockquote", Kind::Flow, ""},
    {"br", "br", Kind::VoidInline, ""},
    {"button", "", Kind::Skip, ""},
    {"caption", "div", Kind::Flow, "caption"},
    {"center", "div", Kind::Flow, "center"},
    {"cite", "cite", Kind::Inline, ""},
    {"code", "code", Kind::Inline, ""},
    {"dd", "div", Kind::Flow, "dd"},
    {"del", "del", Kind::Inline, ""},
    {"dfn", "dfn", Kind::Inline, ""},
    {"dir", "ul", Kind::List, ""},
    {"div", "div", Kind::Flow, ""},
    {"dl", "div", Kind::Flow, ""},
    {"dt", "div", Kind::Flow, "dt"},
    {"em", "em", Kind::Inline, ""},
    {"figure", "div", Kind::Flow, ""},
    {"font", "span", Kind::Inline, ""},
    {"footer", "div", Kind::Flow, ""},
    {"h1", "h1", Kind::PhraseBlock, ""},
    {"h2", "h2", Kind::PhraseBlock, ""},
    {"h3", "h3", Kind::PhraseBlock, ""},
    {"h4", "h4", Kind::PhraseBlock, ""},
    {"h5", "h5", Kind::PhraseBlock, ""},
    {"h6", "h6", Kind::PhraseBlock, ""},
    {"head", "", Kind::Skip, ""},
    {"header", "div", Kind::Flow, ""},
    {"hr", "hr", Kind::VoidBlock, ""},
    {"i", "i", Kind::Inline, ""},
    {"iframe", "", Kind::Skip, ""},
    {"img", "img", Kind::VoidInline, ""},
    {"ins", "ins", Kind::Inline, ""},
    {"kbd", "kbd", Kind::Inline, ""},
    {"li", "li", Kind::ListItem, ""},
    {"listing", "pre", Kind::PhraseBlock, ""},
    {"main", "div", Kind::Flow, ""},
    {"mark", "mark", Kind::Inline, ""},
    {"menu", "ul", Kind::List, ""},
    {"nobr", "span", Kind::Inline, ""},
    {"object", "", Kind::Skip, ""},
    {"ol", "ol", Kind::List, ""},
    {"p", "p", Kind::PhraseBlock, ""},
    {"pre", "pre", Kind::PhraseBlock, ""},
    {"q", "q", Kind::Inline, ""},
    {"s", "s", Kind::Inline, ""},
    {"samp", "samp", Kind::Inline, ""},
    {"script", "", Kind::Skip, ""},
    {"section", "div", Kind::Flow, ""},
    {"select", "", Kind::Skip, ""},
    {"small", "small", Kind::Inline, ""},
    {"span", "span", Kind::Inline, ""},
    {"strike", "s", Kind::Inline, ""},
    {"strong", "strong", Kind::Inline, ""},
    {"style", "", Kind::Skip, ""},
    {"sub", "sub", Kind::Inline, ""},
    {"sup", "sup", Kind::Inline, ""},
    {"table", "div", Kind::Flow, "table"},
    {"tbody", "div", Kind::Flow, ""},
    {"td", "div", Kind::Flow, "cell"},
    {"textarea", "", Kind::Skip, ""},
    {"tfoot", "div", Kind::Flow, ""},
    {"th", "div", Kind::Flow, "cell"},
    {"thead", "div", Kind::Flow, ""},
    {"title", "", Kind::Skip, ""},
    {"tr", "div", Kind::Flow, "row"},
    {"tt", "code", Kind::Inline, ""},
    {"u", "u", Kind::Inline, ""},
    {"ul", "ul", Kind::List, ""},
    {"xmp", "pre", Kind::PhraseBlock, ""},
}};

static_assert(std::is_sorted(kRules.begin(), kRules.end(),
                             [](const TagRule& a, const TagRule& b) { return a.source < b.source; }),
              "kRules is searched by halving");

const TagRule* RuleFor(std::string_view name) {
    const auto it = std::lower_bound(kRules.begin(), kRules.end(), name,
                                     [](const TagRule& r, std::string_view n) { return r.source < n; });
    return it != kRules.end() && it->source == name ? &*it : nullptr;
}

// Numeric references 128-159 name Windows-1252 characters in the pages of
// the time, and browsers show them so.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

constexpr char32_t kSoftHyphen = 0xAD;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (LowerAscii(s[i]) != prefix[i]) return false;
    return true;
}

size_t FindNoCase(std::string_view s, std::string_view what, size_t from) {
    for (size_t i = from; i + what.size() <= s.size(); ++i)
        if (StartsWithNoCase(s.substr(i), what)) return i;
    return std::string_view::npos;
}

// A character XML 1.0 allows in a document that browsers also accept: no
// control characters (C0 but tab and line feed, C1), no surrogates, no
// non-characters FFFE/FFFF.
bool IsDocumentChar(char32_t cp) {
    if (cp == '\t' || cp == '\n') return true;
    if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) return false;
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;
    if (cp == 0xFFFE || cp == 0xFFFF) return false;
    return cp <= 0x10FFFF;
}

// The reference at s[0] == '&': its length and code point, or 0.
size_t DecodeReference(std::string_view s, char32_t& cp) {
    if (s.size() < 3) return 0;
    if (s[1] == '#') {
        size_t i = 2;
        const bool hex = s[i] == 'x' || s[i] == 'X';
        if (hex) ++i;
        const size_t from = i;
        unsigned long value = 0;
        while (i < s.size() && i - from < 8) {
            const char c = s[i];
            int d = -1;
            if (IsAsciiDigit(c)) d = c - '0';
            else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
            if (d < 0) break;
            value = value * (hex ? 16 : 10) + static_cast<unsigned long>(d);
            ++i;
        }
        if (i == from || i >= s.size() || s[i] != ';') return 0;
        if (value >= 0x80 && value <= 0x9F) value = kCp1252High[value - 0x80];
        cp = value > 0x10FFFF ? 0xFFFD : static_cast<char32_t>(value);
        return i + 1;
    }
    size_t i = 1;
    while (i < s.size() && i <= 10 && (IsAsciiLetter(s[i]) || IsAsciiDigit(s[i]))) ++i;
    if (i == 1 || i >= s.size() || s[i] != ';') return 0;
    const int code = EntityCodePoint(s.substr(1, i - 1));
    if (code < 0) return 0;
    cp = static_cast<char32_t>(code);
    return i + 1;
}

// Calls f with every character of Windows-1251 text, references resolved
// (one that is not a known reference stays as written).
template <typename F>
void ForEachChar(std::string_view text, F&& f) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '&') {
            char32_t cp = 0;
            if (const size_t len = DecodeReference(text.substr(i), cp)) {
                f(cp);
                i += len - 1;
                continue;
            }
        }
        if (c == '\r') continue;
        f(c < 0x80 ? static_cast<char32_t>(c) : cp1251::ToUnicode(c));
    }
}

void AppendEscaped(std::string& out, char32_t cp) {
    switch (cp) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: cp1251::AppendUtf8(out, cp);
    }
}

// Windows-1251 text or attribute value as escaped UTF-8.
std::string Encode(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    ForEachChar(text, [&](char32_t cp) {
        if (IsDocumentChar(cp)) AppendEscaped(out, cp);
    });
    return out;
}

bool IsBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return IsSpace(c); });
}

std::string CollapseSpaces(std::string_view s) {
    std::string out;
    bool space = false;
    for (char c : s) {
        if (IsSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

struct Attribute {
    std::string name;  // lower case
    std::string_view value;
};

struct Tag {
    std::string name;  // lower case
    bool end = false;
    std::vector<Attribute> attributes;

    std::optional<std::string_view> Get(std::string_view n) const {
        for (const Attribute& a : attributes)
            if (a.name == n) return a.value;
        return std::nullopt;
    }
};

// Reads the tag at s[0] == '<'. Returns its length, or 0 when s does not
// start a tag (the '<' is then text).
size_t ReadTag(std::string_view s, Tag& tag) {
    size_t i = 1;
    tag = Tag{};
    if (i < s.size() && s[i] == '/') {
        tag.end = true;
        ++i;
    }
    if (i >= s.size() || !IsAsciiLetter(s[i])) return 0;
    const size_t nameFrom = i;
    while (i < s.size() && (IsAsciiLetter(s[i]) || IsAsciiDigit(s[i]) || s[i] == ':' || s[i] == '-' || s[i] == '_'))
        ++i;
    tag.name = Lower(s.substr(nameFrom, i - nameFrom));
    while (i < s.size()) {
        while (i < s.size() && (IsSpace(s[i]) || s[i] == '/')) ++i;
        if (i >= s.size()) return 0;
        if (s[i] == '>') return i + 1;
        const size_t attrFrom = i;
        while (i < s.size() && !IsSpace(s[i]) && s[i] != '=' && s[i] != '>' && s[i] != '/') ++i;
        Attribute a{Lower(s.substr(attrFrom, i - attrFrom)), {}};
        while (i < s.size() && IsSpace(s[i])) ++i;
        if (i < s.size() && s[i] == '=') {
            ++i;
            while (i < s.size() && IsSpace(s[i])) ++i;
            if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
                const char quote = s[i++];
                const size_t close = s.find(quote, i);
                if (close == std::string_view::npos) return 0;
                a.value = s.substr(i, close - i);
                i = close + 1;
            } else {
                const size_t from = i;
                while (i < s.size() && !IsSpace(s[i]) && s[i] != '>') ++i;
                a.value = s.substr(from, i - from);
            }
        }
        if (!a.name.empty()) tag.attributes.push_back(std::move(a));
    }
    return 0;
}

// The text of a reader's note from the script of its link: what the link
// writes between <body> and </body> of the note window.
std::optional<std::string> NoteOfScript(std::string_view href) {
    if (!StartsWithNoCase(href, "javascript:")) return std::nullopt;
    const size_t open = FindNoCase(href, "<body>", 0);
    if (open == std::string_view::npos) return std::nullopt;
    const size_t from = open + 6;
    const size_t close = FindNoCase(href, "</body>", from);
    if (close == std::string_view::npos) return std::nullopt;
    std::string note;
    const std::string_view script = href.substr(from, close - from);
    for (size_t i = 0; i < script.size(); ++i) {
        // The note stands inside a single-quoted script string.
        if (script[i] == '\\' && i + 1 < script.size()) ++i;
        note += script[i];
    }
    return note;
}

std::string AlignClass(std::string_view align) {
    const std::string a = Lower(align);
    if (a == "left" || a == "center" || a == "right" || a == "justify") return a;
    return {};
}

class Writer {
public:
    Writer(const XhtmlOptions& options, std::set<std::string>& used) : options_(options), used_(used) {}

    XhtmlFragment Run(std::string_view html) {
        Feed(html);
        while (!stack_.empty()) Pop();
        for (size_t n = 0; n < notes_.size(); ++n) {
            out_ += "\n<aside epub:type=\"footnote\" class=\"note\" id=\"" + notes_[n].id + "\">";
            out_ += notes_[n].xhtml;
            out_ += "</aside>";
        }
        result_.xhtml = std::move(out_);
        return std::move(result_);
    }

private:
    struct Open {
        std::string source;     // the tag that opened it ("" implicit)
        std::string_view name;  // written name, "" when nothing was written
        Kind kind;
        size_t openPos = 0;  // where its start tag begins in out_
        size_t openEnd = 0;  // where its content begins
        bool keep = false;   // has an id of the text: kept even when empty
        int merged = 0;      // further <blockquote> tags it stands for
        bool heading = false;
        std::string id;
        std::string label;
    };
    struct Note {
        std::string id;
        std::string xhtml;
    };

    void Feed(std::string_view s) {
        size_t textFrom = 0;
        size_t i = 0;
        auto flush = [&](size_t to) {
            if (to > textFrom) Text(s.substr(textFrom, to - textFrom));
        };
        while (i < s.size()) {
            if (s[i] != '<') {
                ++i;
                continue;
            }
            if (s.compare(i, 4, "<!--") == 0) {
                flush(i);
                const size_t close = s.find("-->", i + 4);
                i = close == std::string_view::npos ? s.size() : close + 3;
                textFrom = i;
                continue;
            }
            if (i + 1 < s.size() && (s[i + 1] == '!' || s[i + 1] == '?')) {
                flush(i);
                const size_t close = s.find('>', i);
                i = close == std::string_view::npos ? s.size() : close + 1;
                textFrom = i;
                continue;
            }
            Tag tag;
            const size_t len = ReadTag(s.substr(i), tag);
            if (len == 0) {
                ++i;
                continue;
            }
            flush(i);
            i += len;
            textFrom = i;
            if (tag.end) {
                End(tag.name);
                continue;
            }
            if (tag.name == "script" || tag.name == "style") {
                // Their content is not markup: skip to the closing tag.
                const size_t close = FindNoCase(s, "</" + tag.name, i);
                i = close == std::string_view::npos ? s.size() : s.find('>', close);
                i = i == std::string_view::npos ? s.size() : i + 1;
                textFrom = i;
                continue;
            }
            Start(tag);
        }
        flush(s.size());
    }

    bool Skipping() const { return skipDepth_ > 0; }

    void Text(std::string_view raw) {
        if (Skipping()) return;
        if (!stack_.empty() && stack_.back().kind == Kind::List) {
            if (IsBlank(raw)) return;
            OpenImplicitItem();
        }
        Open* heading = CurrentHeading();
        ForEachChar(raw, [&](char32_t cp) {
            if (!IsDocumentChar(cp)) return;
            AppendEscaped(out_, cp);
            if (heading && cp != kSoftHyphen) {
                if (cp == 0xA0) heading->label += ' ';
                else cp1251::AppendUtf8(heading->label, cp);
            }
        });
    }

    Open* CurrentHeading() {
        for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
            if (it->heading) return &*it;
        return nullptr;
    }

    // Whether the element holds nothing yet but spaces.
    bool HoldsNothing(const Open& e) const { return IsBlank(std::string_view(out_).substr(e.openEnd)); }

    void Pop() {
        Open e = std::move(stack_.back());
        stack_.pop_back();
        if (e.name.empty()) return;
        if (!e.keep && HoldsNothing(e)) {
            out_.resize(e.openPos);
            return;
        }
        out_ += "</";
        out_ += e.name;
        out_ += '>';
        if (e.heading) {
            std::string label = CollapseSpaces(e.label);
            if (!label.empty()) result_.headings.push_back({e.source[1] - '0', e.id, std::move(label)});
        }
    }

    // Closes text-level elements until a block may stand here.
    void CloseToContainer() {
        while (!stack_.empty()) {
            const Kind k = stack_.back().kind;
            if (k == Kind::Flow || k == Kind::ListItem) return;
            if (k == Kind::List) {
                OpenImplicitItem();
                return;
            }
            Pop();
        }
    }

    void OpenImplicitItem() {
        Push("", "li", Kind::ListItem, {}, "");
    }

    bool ClaimId(const std::string& id) {
        if (id.empty() || !used_.insert(id).second) return false;
        result_.ids.push_back(id);
        return true;
    }

    std::string NewId(std::string_view stem) {
        for (;;) {
            std::string id = std::string(stem) + std::to_string(++counter_);
            if (ClaimId(id)) return id;
        }
    }

    // Writes a start tag; attrs is what follows the name, already escaped.
    Open& Push(std::string source, std::string_view name, Kind kind, std::string_view cls, const std::string& attrs) {
        Open e;
        e.source = std::move(source);
        e.name = name;
        e.kind = kind;
        e.openPos = out_.size();
        if (!name.empty()) {
            out_ += '<';
            out_ += name;
            if (!cls.empty()) out_ += " class=\"" + std::string(cls) + "\"";
            out_ += attrs;
            out_ += '>';
        }
        e.openEnd = out_.size();
        stack_.push_back(std::move(e));
        return stack_.back();
    }

    // Closes every element down to and including the innermost one opened
    // by a tag named name; false when none is open.
    bool CloseTo(std::string_view name) {
        auto it = std::find_if(stack_.rbegin(), stack_.rend(), [&](const Open& e) { return e.source == name; });
        if (it == stack_.rend()) return false;
        const size_t keep = static_cast<size_t>(stack_.rend() - it) - 1;
        while (stack_.size() > keep) Pop();
        return true;
    }

    static std::string_view Family(std::string_view name) {
        if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') return "h";
        return name;
    }

    void End(const std::string& name) {
        if (Skipping()) {
            if (name == skipName_) --skipDepth_;
            return;
        }
        if (name == "blockquote") {
            auto it = std::find_if(stack_.rbegin(), stack_.rend(), [](const Open& e) { return e.source == "blockquote"; });
            if (it == stack_.rend()) return;
            if (it->merged > 0) {
                --it->merged;
                return;
            }
        }
        if (Family(name) == "h") {
            auto it = std::find_if(stack_.rbegin(), stack_.rend(), [](const Open& e) { return e.heading; });
            if (it != stack_.rend()) CloseTo(it->source);
            return;
        }
        CloseTo(name);
    }

    std::string IdAttribute(const Tag& tag, bool& has, std::string* id) {
        std::optional<std::string_view> raw = tag.Get("id");
        if ((!raw || raw->empty()) && tag.name == "a") raw = tag.Get("name");
        has = false;
        if (!raw || raw->empty()) return {};
        std::string x = XmlId(*raw);
        if (!ClaimId(x)) return {};
        has = true;
        if (id) *id = x;
        return " id=\"" + x + "\"";
    }

    void Start(const Tag& tag) {
        if (Skipping()) {
            if (tag.name == skipName_) ++skipDepth_;
            return;
        }
        const TagRule* rule = RuleFor(tag.name);
        if (!rule) return;
        switch (rule->kind) {
            case Kind::Skip:
                skipName_ = tag.name;
                skipDepth_ = 1;
                return;
            case Kind::VoidBlock:
                CloseToContainer();
                out_ += "<hr/>";
                return;
            case Kind::VoidInline:
                if (!stack_.empty() && stack_.back().kind == Kind::List) OpenImplicitItem();
                if (tag.name == "br") out_ += "<br/>";
                else Image(tag);
                return;
            case Kind::ListItem: {
                while (!stack_.empty() && stack_.back().kind != Kind::List && stack_.back().kind != Kind::Flow) Pop();
                const bool inList = !stack_.empty() && stack_.back().kind == Kind::List;
                bool has = false;
                const std::string id = IdAttribute(tag, has, nullptr);
                Push("li", inList ? "li" : "div", Kind::ListItem, inList ? "" : "item", id).keep = has;
                return;
            }
            case Kind::Flow:
            case Kind::PhraseBlock:
            case Kind::List:
                Block(tag, *rule);
                return;
            case Kind::Inline:
                Inline(tag, *rule);
                return;
        }
    }

    void Block(const Tag& tag, const TagRule& rule) {
        if (tag.name == "blockquote" && !stack_.empty() && stack_.back().source == "blockquote" &&
            HoldsNothing(stack_.back())) {
            Open& outer = stack_.back();
            if (outer.merged++ == 0) {
                const size_t has = out_.find(" class=\"", outer.openPos);
                const bool own = has != std::string::npos && has < outer.openEnd;
                const std::string cls = own ? "epigraph " : " class=\"epigraph\"";
                out_.insert(own ? has + 8 : outer.openPos + 11, cls);  // after "<blockquote"
                outer.openEnd += cls.size();
            }
            return;
        }
        CloseToContainer();
        std::string cls(rule.cls);
        if (const auto align = tag.Get("align")) {
            const std::string a = AlignClass(*align);
            if (!a.empty()) cls = cls.empty() ? a : cls + " " + a;
        }
        bool has = false;
        std::string id;
        std::string attrs = IdAttribute(tag, has, &id);
        const bool heading = Family(tag.name) == "h";
        if (heading && !has) {
            id = NewId("h-");
            attrs = " id=\"" + id + "\"";
        }
        Open& e = Push(tag.name, rule.output, rule.kind, cls, attrs);
        e.keep = has;
        e.heading = heading;
        e.id = id;
    }

    void Inline(const Tag& tag, const TagRule& rule) {
        if (!stack_.empty() && stack_.back().kind == Kind::List) OpenImplicitItem();
        if (tag.name == "a") {
            Anchor(tag);
            return;
        }
        std::string cls(rule.cls);
        if (tag.name == "font") {
            const std::string_view size = tag.Get("size").value_or("");
            if (!size.empty() && size[0] == '-') cls = "small";
            else if (!size.empty() && size[0] == '+') cls = "big";
        }
        bool has = false;
        const std::string id = IdAttribute(tag, has, nullptr);
        Push(tag.name, rule.output, rule.kind, cls, id).keep = has;
    }

    void Anchor(const Tag& tag) {
        CloseTo("a");  // links do not nest
        bool has = false;
        std::string attrs = IdAttribute(tag, has, nullptr);
        const std::string_view href = tag.Get("href").value_or("");
        if (std::optional<std::string> note = NoteOfScript(href)) {
            const std::string noteId = NewId("note-");
            Writer inner(options_, used_);
            notes_.push_back({noteId, inner.Run(*note).xhtml});
            attrs += " epub:type=\"noteref\" class=\"noteref\" href=\"#" + noteId + "\"";
            Push("a", "a", Kind::Inline, "", attrs).keep = true;
            return;
        }
        std::string target;
        if (!href.empty() && options_.resolveLink && !StartsWithNoCase(href, "javascript:"))
            target = options_.resolveLink(href);
        if (!target.empty()) attrs += " href=\"" + Encode(target) + "\"";
        if (target.empty() && !has) {
            // Neither a link nor an anchor any more: its text stays.
            Push("a", "", Kind::Inline, "", "");
            return;
        }
        Push("a", "a", Kind::Inline, "", attrs).keep = has || !target.empty();
    }

    void Image(const Tag& tag) {
        const std::string_view src = tag.Get("src").value_or("");
        if (options_.coverHref.empty() || src.empty() || src != options_.coverSrc) return;
        out_ += "<img src=\"" + Encode(options_.coverHref) + "\" alt=\"" + Encode(tag.Get("alt").value_or("")) +
                "\"/>";
    }

    const XhtmlOptions& options_;
    std::set<std::string>& used_;
    std::string out_;
    std::vector<Open> stack_;
    std::vector<Note> notes_;
    XhtmlFragment result_;
    std::string skipName_;
    int skipDepth_ = 0;
    int counter_ = 0;
};

}  // namespace

XhtmlFragment ToXhtml(std::string_view html, const XhtmlOptions& options) {
    std::set<std::string> own;
    Writer writer(options, options.usedIds ? *options.usedIds : own);
    return writer.Run(html);
}

std::string EscapeXml(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string XmlId(std::string_view name) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsAsciiLetter(ch) || IsAsciiDigit(ch) || ch == '-' || ch == '_' || ch == '.') {
            out += ch;
        } else {
            out += '_';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    if (out.empty() || !(IsAsciiLetter(out[0]) || out[0] == '_')) out.insert(0, "id-");
    return out;
}


}  // namespace pm::epub
