#include "xml/DTDEdit.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "common/Format.h"
#include "xml/XmlMode.h"

namespace pm {
namespace {

bool Contains(std::string_view s, std::string_view what) { return s.find(what) != std::string_view::npos; }

// Replaces from by to until from no longer occurs.
void ReplaceRepeatedly(std::string& s, std::string_view from, std::string_view to) {
    // A replacement may complete a match that begins before it.
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at >= from.size() ? at - from.size() : 0))
        s.replace(at, from.size(), to);
}

bool IsSeparator(char c) { return c == ',' || c == '|'; }
bool IsOccurrenceMark(char c) { return c == '?' || c == '*' || c == '+'; }

int OccurrenceOf(char mark) {
    if (mark == '*') return kOccAny;
    if (mark == '?') return kOccOptional;
    if (mark == '+') return kOccOneOrMore;
    return kOccOne;
}

// Words separated by spaces; a quoted word keeps its spaces.
std::vector<std::string> Words(std::string_view s) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i] == ' ') ++i;
        if (i >= s.size()) break;
        size_t e = i;
        if (s[i] == '"' || s[i] == '\'') {
            const size_t close = s.find(s[i], i + 1);
            e = close == std::string_view::npos ? s.size() : close + 1;
        } else {
            while (e < s.size() && s[e] != ' ') ++e;
        }
        out.emplace_back(s.substr(i, e - i));
        i = e;
    }
    return out;
}

std::string OneLine(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

bool IsNameStartByte(unsigned char c) { return std::isalpha(c) || c == '_' || c == ':'; }
bool IsNameByte(unsigned char c) { return std::isalnum(c) || c == '_' || c == ':' || c == '.' || c == '-'; }

// Length of the character or entity reference at s[0] ("&name;", "&#N;",
// "&#xH;"), 0 when the "&" there begins none.
size_t ReferenceLength(std::string_view s) {
    size_t i = 1;
    if (i < s.size() && s[i] == '#') {
        ++i;
        const bool hex = i < s.size() && (s[i] == 'x' || s[i] == 'X');
        if (hex) ++i;
        const size_t digits = i;
        while (i < s.size() && (hex ? std::isxdigit(static_cast<unsigned char>(s[i])) != 0
                                    : std::isdigit(static_cast<unsigned char>(s[i])) != 0))
            ++i;
        if (i == digits) return 0;
    } else {
        if (i >= s.size() || !IsNameStartByte(static_cast<unsigned char>(s[i]))) return 0;
        while (i < s.size() && IsNameByte(static_cast<unsigned char>(s[i]))) ++i;
    }
    return i < s.size() && s[i] == ';' ? i + 1 : 0;
}

// A value as the XML of the description holds it. The value may come from
// the book or the configuration rather than the checked field, so a "<"
// becomes "&lt;" (markup: a paragraph value's own tags stay), an "&" that
// begins no reference becomes "&amp;", and the control characters XML
// does not allow go. In an attribute the quote and ">" are referenced too.
enum class ValueAs { Text, Markup, Attribute };
std::string XmlValue(std::string_view s, ValueAs as) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
        if (c == '&') {
            const size_t ref = ReferenceLength(s.substr(i));
            if (ref == 0) {
                out += "&amp;";
            } else {
                out.append(s.substr(i, ref));
                i += ref - 1;
            }
        } else if (c == '<' && as != ValueAs::Markup) {
            out += "&lt;";
        } else if (c == '"' && as == ValueAs::Attribute) {
            out += "&#34;";
        } else if (c == '>' && as == ValueAs::Attribute) {
            out += "&gt;";
        } else {
            out += c;
        }
    }
    return out;
}

bool HoldsValue(const TDTDEntry& e) {
    if (!e.value.empty()) return true;
    return std::any_of(e.children.begin(), e.children.end(), [](const auto& c) { return HoldsValue(*c); });
}

// An element of that name among the ancestors of parent, parent included.
bool OnPath(const TDTDEntry* parent, std::string_view name) {
    for (const TDTDEntry* p = parent; p; p = p->parent)
        if (p->kind != kDtdGroup && p->kind != kDtdAttribute && p->name == name) return true;
    return false;
}

}  // namespace

// ---- entries

size_t TDTDEntry::IndexInParent() const {
    if (!parent) return 0;
    for (size_t i = 0; i < parent->children.size(); ++i)
        if (parent->children[i].get() == this) return i;
    return 0;
}

int TDTDEntry::Depth() const {
    int d = 0;
    for (const TDTDEntry* p = parent; p; p = p->parent) ++d;
    return d;
}

std::string DtdLabel(const TDTDEntry& e) {
    if (e.value.empty()) return e.name;
    std::string v = OneLine(e.value);
    if (v.size() > 50) v = v.substr(0, 50) + "...";
    return e.name + " = \"" + v + "\"";
}

std::string DtdFullPath(const TDTDEntry& e) { return e.parent ? DtdFullPath(*e.parent) + "|" + e.name : e.name; }

std::string DtdLocation(const TDTDEntry& e) {
    const std::string here = e.kind == kDtdAttribute ? "\"" + e.name + "\"" : "<" + e.name + ">";
    return e.parent ? DtdLocation(*e.parent) + here : here;
}

// ---- the DTD text

std::string PrepareDtdText(std::string s) {
    for (size_t open = s.find("<!--"); open != std::string::npos; open = s.find("<!--", open)) {
        const size_t close = s.find("-->", open + 4);
        if (close == std::string::npos) break;
        s.erase(open, close + 3 - open);
    }
    ReplaceRepeatedly(s, "\r\n\r\n", "\r\n");
    std::replace(s.begin(), s.end(), '\t', ' ');
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    std::replace(s.begin(), s.end(), '\n', ' ');
    for (std::string_view after : {"( ", ") ", ", ", "| ", "? ", "* ", "+ "})
        ReplaceRepeatedly(s, after, after.substr(0, 1));
    // Also before ")", "," and "+", so that a group written with spaces
    // inside its parentheses gets the same name as its compact form.
    for (std::string_view before : {" |", " ?", " *", " )", " ,", " +"}) ReplaceRepeatedly(s, before, before.substr(1));
    ReplaceRepeatedly(s, "  ", " ");
    ReplaceRepeatedly(s, "> <", ">\n<");
    return s;
}

std::string DtdNoteText(const DtdBuildNote& n, const Texts& texts) {
    switch (n.kind) {
        case DtdBuildNote::Kind::AttributeType:
            return "Tag \"" + n.element + "\" has an attribute \"" + n.attribute + "\" of type \"" + n.type +
                   "\". The program does only supports propertyes of type \"CDATA\". Type ignored!!!";
        case DtdBuildNote::Kind::TooDeep:
            return FormatTemplate(texts.Msg("DTD too deep"), {int64_t{DtdTree::kMaxDepth}, n.element});
        case DtdBuildNote::Kind::TooMany:
            return FormatTemplate(texts.Msg("DTD too large"), {int64_t(DtdTree::kMaxEntries), n.element});
    }
    return {};
}

// ---- building

void DtdTree::Note(DtdBuildNote note) {
    // The bounds are told once per building; each odd attribute once.
    for (const DtdBuildNote& n : notes_)
        if (n.kind == note.kind && (note.kind != DtdBuildNote::Kind::AttributeType ||
                                    (n.element == note.element && n.attribute == note.attribute)))
            return;
    notes_.push_back(std::move(note));
}

bool DtdTree::Build(const std::string& dtd, const std::string& rootName) {
    root_.reset();
    elements_.clear();
    attlists_.clear();
    notes_.clear();
    sortCounter_ = 0;
    count_ = 0;
    for (size_t at = dtd.find("<!ELEMENT "); at != std::string::npos; at = dtd.find("<!ELEMENT ", at + 1)) {
        const size_t nameStart = at + 10;
        const size_t nameEnd = dtd.find(' ', nameStart);
        if (nameEnd == std::string::npos) break;
        const size_t close = dtd.find('>', nameEnd);
        elements_.try_emplace(dtd.substr(nameStart, nameEnd - nameStart),
                              dtd.substr(at, close == std::string::npos ? std::string::npos : close + 1 - at));
    }
    for (size_t at = dtd.find("<!ATTLIST "); at != std::string::npos; at = dtd.find("<!ATTLIST ", at + 1)) {
        const size_t nameStart = at + 10;
        const size_t nameEnd = dtd.find(' ', nameStart);
        if (nameEnd == std::string::npos) break;
        const size_t close = dtd.find('>', nameEnd);
        attlists_.try_emplace(dtd.substr(nameStart, nameEnd - nameStart),
                              dtd.substr(nameEnd + 1, close == std::string::npos ? std::string::npos : close - nameEnd - 1));
    }
    if (!elements_.contains(rootName)) return false;
    root_ = std::make_unique<TDTDEntry>();
    root_->name = rootName;
    root_->occurrence = kOccOne;
    root_->sortKey = sortCounter_;
    sortCounter_ += 1000;
    count_ = 1;
    BuildElement(*root_, true);
    return true;
}

TDTDEntry* DtdTree::AddChild(TDTDEntry& parent, const std::string& name, int occurrence) {
    if (count_ >= kMaxEntries) {
        if (parent.cut == DtdCut::None) parent.cut = DtdCut::TooMany;
        Note({DtdBuildNote::Kind::TooMany, parent.name, {}, {}});
        return nullptr;
    }
    auto e = std::make_unique<TDTDEntry>();
    e->name = name;
    e->occurrence = occurrence;
    e->parent = &parent;
    e->sortKey = sortCounter_;
    sortCounter_ += 1000;
    ++count_;
    parent.children.push_back(std::move(e));
    return parent.children.back().get();
}

void DtdTree::ReadAttributes(TDTDEntry& e) {
    auto list = attlists_.find(e.name);
    if (list == attlists_.end()) return;
    e.hasAttributes = true;
    const std::vector<std::string> words = Words(list->second);
    for (size_t i = 0; i + 2 < words.size(); i += 3) {
        const std::string& name = words[i];
        const std::string& type = words[i + 1];
        const std::string& def = words[i + 2];
        if (def == "#FIXED") ++i;  // its value follows
        if (type != "CDATA") Note({DtdBuildNote::Kind::AttributeType, e.name, name, type});
        TDTDEntry* a = AddChild(e, name, def == "#REQUIRED" ? kOccOne : kOccOptional);
        if (!a) return;
        a->kind = kDtdAttribute;
        a->declaration = name;
    }
}

void DtdTree::BuildElement(TDTDEntry& e, bool expand) {
    auto decl = elements_.find(e.name);
    e.declaration = decl == elements_.end() ? std::string() : decl->second;
    ReadAttributes(e);
    if (Contains(e.declaration, "#PCDATA")) {
        e.kind = kDtdText;
    } else if (Contains(e.declaration, "(p|") || Contains(e.declaration, "(p,")) {
        e.kind = kDtdParagraph;
    } else {
        e.kind = kDtdContainer;
        const size_t open = e.declaration.find('(');
        const size_t close = e.declaration.rfind(')');
        if (open != std::string::npos && close != std::string::npos && close > open)
            e.contentBuffer = e.declaration.substr(open + 1, close - open - 1);
        if (!expand) {
            if (!e.contentBuffer.empty()) e.cut = DtdCut::Recursive;
            e.contentBuffer.clear();
            return;
        }
        ExpandContent(e);
    }
}

void DtdTree::BuildGroup(TDTDEntry& g, const std::string& groupText) {
    g.declaration = groupText;
    g.name = groupText.size() >= 2 ? groupText.substr(1, groupText.size() - 2) : groupText;
    if (Contains(groupText, "#PCDATA")) {
        g.kind = kDtdText;
    } else if (Contains(groupText, "(p|") || Contains(groupText, "(p,")) {
        g.kind = kDtdParagraph;
    } else {
        g.kind = kDtdGroup;
        g.contentBuffer = g.name;
        ExpandContent(g);
    }
}

// Items left to right: a name or a parenthesised group, an occurrence
// mark, then "," or "|" before the next item.
void DtdTree::ExpandContent(TDTDEntry& parent) {
    if (parent.contentBuffer.empty()) return;
    if (parent.Depth() >= kMaxDepth) {
        parent.cut = DtdCut::TooDeep;
        parent.contentBuffer.clear();
        Note({DtdBuildNote::Kind::TooDeep, parent.name, {}, {}});
        return;
    }
    const std::string content = std::move(parent.contentBuffer);
    parent.contentBuffer.clear();
    size_t i = 0;
    while (i < content.size()) {
        while (i < content.size() && content[i] == ' ') ++i;
        if (i >= content.size()) break;
        std::string item;
        bool group = false;
        if (content[i] == '(') {
            size_t depth = 0, j = i;
            for (; j < content.size(); ++j) {
                if (content[j] == '(') ++depth;
                else if (content[j] == ')' && --depth == 0) break;
            }
            item = content.substr(i, std::min(j, content.size() - 1) - i + 1);
            i = j + 1;
            group = true;
        } else {
            size_t j = i;
            while (j < content.size() && !IsSeparator(content[j]) && !IsOccurrenceMark(content[j]) &&
                   content[j] != ' ' && content[j] != '(' && content[j] != ')')
                ++j;
            item = content.substr(i, j - i);
            i = std::max(j, i + 1);
        }
        int occurrence = kOccOne;
        if (i < content.size() && IsOccurrenceMark(content[i])) occurrence = OccurrenceOf(content[i++]);
        while (i < content.size() && content[i] == ' ') ++i;
        if (i < content.size() && IsSeparator(content[i])) parent.sequence = content[i++] == ',';
        if (item.empty() || item[0] == '#') continue;
        TDTDEntry* child = AddChild(parent, group ? std::string() : item, occurrence);
        if (!child) return;
        if (group) BuildGroup(*child, item);
        else BuildElement(*child, !OnPath(&parent, item));
    }
}

// ---- values and inclusion

TDTDEntry* DtdTree::Find(std::string_view path) const {
    if (!root_) return nullptr;
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t bar = path.find('|', start);
        parts.push_back(path.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    size_t i = 0;
    if (parts.size() > 1 && parts[0] == root_->name) i = 1;
    TDTDEntry* at = root_.get();
    while (i < parts.size()) {
        TDTDEntry* next = nullptr;
        for (const auto& c : at->children) {
            // A group's name holds "|" itself and spans as many parts.
            const size_t span = static_cast<size_t>(std::count(c->name.begin(), c->name.end(), '|')) + 1;
            if (i + span > parts.size()) continue;
            std::string joined(parts[i]);
            for (size_t k = 1; k < span; ++k) {
                joined += '|';
                joined += parts[i + k];
            }
            if (joined == c->name) {
                next = c.get();
                i += span;
                break;
            }
        }
        if (!next) return nullptr;
        at = next;
    }
    return at;
}

bool DtdTree::SetValueAtPath(std::string_view path, const std::string& text) {
    if (text.empty()) return false;
    TDTDEntry* e = Find(path);
    if (!e || e == root_.get()) return false;
    SetValue(*e, text);
    Include(*e, true);
    return true;
}

void DtdTree::SetValue(TDTDEntry& e, const std::string& text) {
    e.value = text;
    if (text.empty()) return;
    for (TDTDEntry* p = &e; p; p = p->parent) Include(*p, true);
}

void DtdTree::Include(TDTDEntry& e, bool on) {
    e.included = on;
    if (!on) return;
    for (const auto& c : e.children)
        if (c->Required()) Include(*c, true);
}

bool DtdTree::Leave(TDTDEntry& e, const std::string& field, bool useChecked) {
    if (e.kind == kDtdText || e.kind == kDtdAttribute) {
        if (Contains(field, "<")) return false;
        SetValue(e, field);
    } else if (e.kind == kDtdParagraph) {
        SetValue(e, field);
        if (!Contains(field, "<") && !field.empty()) {
            std::string lines;
            for (char c : field)
                if (c != '\r') lines += c;
            std::string wrapped = "<p>";
            for (char c : lines) {
                if (c == '\n') wrapped += "</p>\r\n<p>";
                else wrapped += c;
            }
            wrapped += "</p>";
            SetValue(e, wrapped);
        }
    } else if (useChecked != e.included) {
        Include(e, useChecked);
    }
    return true;
}

TDTDEntry* DtdTree::Duplicate(TDTDEntry& e) {
    TDTDEntry* parent = e.parent;
    if (!parent) return nullptr;
    TDTDEntry* copy = AddChild(*parent, e.name, e.occurrence);
    if (!copy) return nullptr;
    // AddChild appended it; it belongs right after the original.
    std::unique_ptr<TDTDEntry> owned = std::move(parent->children.back());
    parent->children.pop_back();
    parent->children.insert(parent->children.begin() + static_cast<long>(e.IndexInParent()) + 1, std::move(owned));
    // A group has no declaration of its own: its copy comes from its model.
    if (e.declaration.starts_with("(")) BuildGroup(*copy, e.declaration);
    else BuildElement(*copy, !OnPath(parent, e.name));
    copy->kind = e.kind;
    copy->sequence = e.sequence;
    copy->occurrence = e.occurrence;
    copy->sortKey = e.sortKey + 1;
    copy->isCopy = true;
    Include(*copy, true);
    return copy;
}

bool DtdTree::Remove(TDTDEntry& e) {
    TDTDEntry* parent = e.parent;
    if (!parent) return false;
    std::vector<const TDTDEntry*> stack{&e};
    size_t gone = 0;
    while (!stack.empty()) {
        const TDTDEntry* x = stack.back();
        stack.pop_back();
        ++gone;
        for (const auto& c : x->children) stack.push_back(c.get());
    }
    count_ -= std::min(count_, gone);
    parent->children.erase(parent->children.begin() + static_cast<long>(e.IndexInParent()));
    return true;
}

// ---- completeness

bool DtdTree::Complete(const TDTDEntry& e, DtdCompleteness& pending) const {
    pending = {false, "Missed data", &e};
    if (!e.Required() && !e.included) return true;
    bool complete = false;
    if (e.hasAttributes) {
        for (const auto& c : e.children) {
            if (!Complete(*c, pending)) {
                pending = {false, "Missed prop", &e};
                return false;
            }
        }
        complete = true;
    }
    if (e.IsLeaf()) {
        if (complete || !e.value.empty() || e.Optional()) return true;
        pending = {false, "Missed data", &e};
        return false;
    }
    if (e.sequence) {
        for (const auto& c : e.children)
            if (!Complete(*c, pending)) return false;
        return true;
    }
    if (e.occurrence == kOccOne || e.occurrence == kOccOptional) {
        const auto filled = std::count_if(e.children.begin(), e.children.end(), [](const auto& c) { return HoldsValue(*c); });
        if (filled > 1) {
            pending = {false, "To many values set", &e};
            return false;
        }
    }
    for (const auto& c : e.children)
        if (Complete(*c, pending)) return true;
    pending = {false, "Missed data", &e};
    return false;
}

DtdCompleteness DtdTree::Completeness(const TDTDEntry& e) const {
    DtdCompleteness pending;
    pending.complete = Complete(e, pending);
    if (pending.complete) pending = {true, {}, nullptr};
    return pending;
}

int DtdTree::StateIcon(const TDTDEntry& e) const {
    return IsComplete(e) && HoldsValue(e) ? kStateComplete : e.occurrence;
}

// ---- the XML

std::string DtdTree::MarkedXml(const TDTDEntry& e, int indent) const {
    const bool left = (e.occurrence == kOccAny || e.occurrence == kOccOptional ||
                       (e.occurrence == kOccOneOrMore && e.isCopy)) &&
                      !e.included;
    if (left) return {};
    if (e.kind == kDtdAttribute) return " " + e.name + "=\"" + XmlValue(e.value, ValueAs::Attribute) + "\"";
    // Of a choice only the alternatives filled in are written, once one is;
    // before that every alternative shows, to be filled.
    const bool choiceMade =
        !e.sequence && std::any_of(e.children.begin(), e.children.end(),
                                   [](const auto& c) { return c->kind != kDtdAttribute && HoldsValue(*c); });
    auto content = [&](int childIndent) {
        std::string body;
        for (const auto& c : e.children)
            if (c->kind != kDtdAttribute && (!choiceMade || HoldsValue(*c))) body += MarkedXml(*c, childIndent);
        return body;
    };
    if (e.kind == kDtdGroup) return content(indent);
    const char marker = e.Optional() ? '"' : '\'';
    const std::string pad(static_cast<size_t>(indent), ' ');
    std::string s = pad + "<" + marker + e.name;
    for (const auto& c : e.children)
        if (c->kind == kDtdAttribute) s += MarkedXml(*c, 0);
    if (e.kind == kDtdContainer && e.declaration.find('(') == std::string::npos) {
        // Declared EMPTY (or not at all): not even a line break inside.
        s += '>';
    } else if (e.kind == kDtdContainer) {
        s += ">\n";
        s += content(indent + 1);
        s += pad;
    } else {
        s += '>';
        s += XmlValue(e.value, e.kind == kDtdParagraph ? ValueAs::Markup : ValueAs::Text);
    }
    s += '<';
    s += marker;
    s += '/';
    s += e.name;
    s += ">\n";
    return s;
}

std::vector<DtdPaneSegment> DtdTree::PaneSegments() const {
    std::vector<DtdPaneSegment> out;
    if (!root_) return out;
    const std::string s = MarkedXml(*root_, 0);
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] != '<') {
            const size_t next = s.find('<', i);
            const size_t end = next == std::string::npos ? s.size() : next;
            out.push_back({DtdPaneSegment::Role::Text, s.substr(i, end - i)});
            i = end;
            continue;
        }
        const size_t close = s.find('>', i);
        const size_t end = close == std::string::npos ? s.size() : close + 1;
        std::string tag = s.substr(i, end - i);
        i = end;
        if (tag == "<p>" || tag == "</p>") {
            out.push_back({DtdPaneSegment::Role::ParagraphTag, tag});
            continue;
        }
        const size_t m = tag.size() > 1 && tag[1] == '/' ? 2 : 1;
        const char marker = m < tag.size() ? tag[m] : '\0';
        if (marker == '\'' || marker == '"') tag.erase(m, 1);
        out.push_back({marker == '\'' ? DtdPaneSegment::Role::RequiredTag : DtdPaneSegment::Role::OptionalTag, tag});
    }
    return out;
}

std::string DtdTree::PendingMessage(const Texts& texts) const {
    if (!root_) return {};
    const DtdCompleteness c = Completeness(*root_);
    if (c.complete) return {};
    std::string tpl = texts.Msg(c.key);
    std::replace(tpl.begin(), tpl.end(), '\\', '\n');
    return FormatTemplate(tpl, {DtdLocation(*c.at)});
}

std::string DtdTree::PaneText(const Texts& texts) const {
    std::string text;
    for (const DtdPaneSegment& s : PaneSegments()) text += s.text;
    if (const std::string message = PendingMessage(texts); !message.empty()) text += "\n" + message;
    return text;
}

// ---- stored defaults

void DtdTree::SaveDefaults(ConfigTree& tree) const {
    if (!root_) return;
    const std::string key = XmlDefaultsKeyPath();
    // Copies share the path of the entry they copy; loading reaches the
    // first entry of a path, so the first one's value is the one kept.
    std::set<std::string> written;
    std::vector<const TDTDEntry*> stack{root_.get()};
    while (!stack.empty()) {
        const TDTDEntry* e = stack.back();
        stack.pop_back();
        if (e->IsLeaf()) {
            const std::string path = DtdFullPath(*e);
            if (written.insert(path).second) {
                if (e->value.empty()) tree.DeleteValue(key, path);
                else tree.SetString(key, path, e->value);
            }
        }
        for (auto it = e->children.rbegin(); it != e->children.rend(); ++it) stack.push_back(it->get());
    }
}

void DtdTree::LoadDefaults(ConfigTree& tree) {
    const std::string key = XmlDefaultsKeyPath();
    if (!tree.KeyExists(key) && !tree.ReadOnly()) tree.CreateKey(key);
    for (const ConfigValue& v : tree.Values(key))
        if (v.type == ValueType::String) SetValueAtPath(v.name, v.text);
}

// ---- the controls of the entry entered

DtdNodeControls ControlsFor(const TDTDEntry& e, std::string_view containerNotice, std::string_view groupNotice) {
    DtdNodeControls c;
    c.duplicateEnabled = e.parent && (e.occurrence == kOccAny || e.occurrence == kOccOneOrMore);
    c.deleteEnabled = e.parent && (e.occurrence == kOccAny || e.occurrence == kOccOptional ||
                                   (e.isCopy && e.occurrence == kOccOneOrMore));
    c.useChecked = e.included;
    c.useEnabled = c.deleteEnabled && (e.kind == kDtdContainer || e.kind == kDtdGroup);
    c.fieldEnabled = e.IsLeaf();
    if (e.IsLeaf()) {
        c.field = e.value;
    } else {
        c.field = '[';
        c.field += e.kind == kDtdContainer ? containerNotice : groupNotice;
        c.field += ']';
    }
    return c;
}

}  // namespace pm
