#include "config/ConfigTree.h"

#include <unordered_map>

#include "common/Cp1251.h"

namespace pm {

struct ConfigTree::Impl {
    // Children and values keep their creation order; the maps find them by
    // lower-cased name so that large keys (rule lists, font tables) stay fast.
    struct Node {
        std::string name;
        std::vector<std::unique_ptr<Node>> children;
        std::vector<ConfigValue> values;
        std::unordered_map<std::string, size_t> childAt, valueAt;

        Node* Child(std::string_view n) const {
            auto it = childAt.find(cp1251::LowerCase(n));
            return it == childAt.end() ? nullptr : children[it->second].get();
        }
        ConfigValue* Value(std::string_view n) {
            auto it = valueAt.find(cp1251::LowerCase(n));
            return it == valueAt.end() ? nullptr : &values[it->second];
        }
        Node* AddChild(std::string_view n) {
            childAt.emplace(cp1251::LowerCase(n), children.size());
            children.push_back(std::make_unique<Node>());
            children.back()->name = std::string(n);
            return children.back().get();
        }
        void AddValue(ConfigValue v) {
            valueAt.emplace(cp1251::LowerCase(v.name), values.size());
            values.push_back(std::move(v));
        }
        bool EraseChild(std::string_view n) {
            auto it = childAt.find(cp1251::LowerCase(n));
            if (it == childAt.end()) return false;
            children.erase(children.begin() + static_cast<std::ptrdiff_t>(it->second));
            childAt.clear();
            for (size_t k = 0; k < children.size(); ++k) childAt.emplace(cp1251::LowerCase(children[k]->name), k);
            return true;
        }
        bool EraseValue(std::string_view n) {
            auto it = valueAt.find(cp1251::LowerCase(n));
            if (it == valueAt.end()) return false;
            values.erase(values.begin() + static_cast<std::ptrdiff_t>(it->second));
            valueAt.clear();
            for (size_t k = 0; k < values.size(); ++k) valueAt.emplace(cp1251::LowerCase(values[k].name), k);
            return true;
        }
    };

    // One change made since the tree was last marked clean.
    struct Change {
        enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue } kind;
        std::string path;
        ConfigValue value;  // the value set, or the name of the value deleted
    };

    Node root;
    bool dirty = false;
    bool readOnly = false;
    std::vector<Change> changes;

    void Record(Change::Kind kind, std::string_view path, ConfigValue value = {}) {
        changes.push_back({kind, std::string(path), std::move(value)});
    }

    // Splits a backslash path; false when a component is empty.
    static bool Split(std::string_view path, std::vector<std::string_view>& parts) {
        parts.clear();
        while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
        while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
        if (path.empty()) return true;
        size_t start = 0;
        for (size_t i = 0; i <= path.size(); ++i) {
            if (i < path.size() && path[i] != '\\') continue;
            if (i == start) return false;
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
        return true;
    }

    Node* Find(std::string_view path) const {
        std::vector<std::string_view> parts;
        if (!Split(path, parts)) return nullptr;
        const Node* n = &root;
        for (auto p : parts)
            if (!(n = n->Child(p))) return nullptr;
        return const_cast<Node*>(n);
    }

    // *created tells whether any key on the way was missing.
    Node* Create(std::string_view path, bool* created = nullptr) {
        std::vector<std::string_view> parts;
        if (readOnly || !Split(path, parts)) return nullptr;
        Node* n = &root;
        for (auto p : parts) {
            Node* c = n->Child(p);
            if (!c) {
                c = n->AddChild(p);
                dirty = true;
                if (created) *created = true;
            }
            n = c;
        }
        return n;
    }

    bool Store(std::string_view path, std::string_view name, ConfigValue value) {
        Node* n = Create(path);
        if (!n) return false;
        value.name = std::string(name);
        if (ConfigValue* old = n->Value(name)) {
            value.name = old->name;  // keep the case first written
            const bool same = old->type == value.type && old->text == value.text &&
                              old->number == value.number && old->bytes == value.bytes;
            if (same) return true;
            *old = value;
        } else {
            n->AddValue(value);
        }
        dirty = true;
        Record(Change::SetValue, path, std::move(value));
        return true;
    }
};

ConfigTree::ConfigTree() : impl_(std::make_unique<Impl>()) {}
ConfigTree::~ConfigTree() = default;
ConfigTree::ConfigTree(ConfigTree&&) noexcept = default;
ConfigTree& ConfigTree::operator=(ConfigTree&&) noexcept = default;

bool ConfigTree::KeyExists(std::string_view path) const { return impl_->Find(path) != nullptr; }

std::optional<std::string> ConfigTree::StoredPath(std::string_view path) const {
    std::vector<std::string_view> parts;
    if (!Impl::Split(path, parts)) return std::nullopt;
    const Impl::Node* n = &impl_->root;
    std::string out;
    for (auto p : parts) {
        if (!(n = n->Child(p))) return std::nullopt;
        if (!out.empty()) out.push_back('\\');
        out += n->name;
    }
    return out;
}

bool ConfigTree::CreateKey(std::string_view path) {
    bool created = false;
    if (!impl_->Create(path, &created)) return false;
    if (created) impl_->Record(Impl::Change::CreateKey, path);
    return true;
}

bool ConfigTree::DeleteKey(std::string_view path) {
    std::vector<std::string_view> parts;
    if (impl_->readOnly || !Impl::Split(path, parts) || parts.empty()) return false;
    const std::string_view last = parts.back();
    parts.pop_back();
    Impl::Node* parent = &impl_->root;
    for (auto p : parts)
        if (!(parent = parent->Child(p))) return false;
    if (!parent->EraseChild(last)) return false;
    impl_->dirty = true;
    impl_->Record(Impl::Change::DeleteKey, path);
    return true;
}

std::optional<ConfigValue> ConfigTree::GetValue(std::string_view path, std::string_view name) const {
    Impl::Node* n = impl_->Find(path);
    if (!n) return std::nullopt;
    if (ConfigValue* v = n->Value(name)) return *v;
    return std::nullopt;
}

bool ConfigTree::SetString(std::string_view path, std::string_view name, std::string_view text) {
    ConfigValue v;
    v.type = ValueType::String;
    v.text = std::string(text);
    return impl_->Store(path, name, std::move(v));
}

bool ConfigTree::SetDWord(std::string_view path, std::string_view name, int32_t number) {
    ConfigValue v;
    v.type = ValueType::DWord;
    v.number = number;
    return impl_->Store(path, name, std::move(v));
}

bool ConfigTree::SetBinary(std::string_view path, std::string_view name, std::vector<uint8_t> bytes) {
    ConfigValue v;
    v.type = ValueType::Binary;
    v.bytes = std::move(bytes);
    return impl_->Store(path, name, std::move(v));
}

bool ConfigTree::DeleteValue(std::string_view path, std::string_view name) {
    if (impl_->readOnly) return false;
    Impl::Node* n = impl_->Find(path);
    if (!n) return false;
    if (!n->EraseValue(name)) return false;
    impl_->dirty = true;
    ConfigValue gone;
    gone.name = std::string(name);
    impl_->Record(Impl::Change::DeleteValue, path, std::move(gone));
    return true;
}

std::vector<std::string> ConfigTree::SubKeys(std::string_view path) const {
    std::vector<std::string> out;
    if (Impl::Node* n = impl_->Find(path))
        for (const auto& c : n->children) out.push_back(c->name);
    return out;
}

std::vector<ConfigValue> ConfigTree::Values(std::string_view path) const {
    if (Impl::Node* n = impl_->Find(path)) return n->values;
    return {};
}

bool ConfigTree::Dirty() const { return impl_->dirty; }
void ConfigTree::MarkClean() {
    impl_->dirty = false;
    impl_->changes.clear();
}

void ConfigTree::ApplyChangesTo(ConfigTree& target) const {
    using Change = Impl::Change;
    for (const Change& c : impl_->changes) {
        switch (c.kind) {
            case Change::CreateKey: target.CreateKey(c.path); break;
            case Change::DeleteKey: target.DeleteKey(c.path); break;
            case Change::DeleteValue: target.DeleteValue(c.path, c.value.name); break;
            case Change::SetValue: target.impl_->Store(c.path, c.value.name, c.value); break;
        }
    }
}

void ConfigTree::SetReadOnly(bool readOnly) { impl_->readOnly = readOnly; }
bool ConfigTree::ReadOnly() const { return impl_->readOnly; }

}  // namespace pm
