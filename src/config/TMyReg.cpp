#include "config/TMyReg.h"

namespace pm {

TMyReg::TMyReg(const ConfigTree& tree, std::string_view keyPath)
    : tree_(&tree), path_(keyPath), exists_(tree.KeyExists(keyPath)) {}

std::string TMyReg::ReadString(std::string_view name, const std::string& def) const {
    if (!exists_) return def;
    auto v = tree_->GetValue(path_, name);
    if (!v || v->type != ValueType::String || v->text.empty()) return def;
    return v->text;
}

std::string TMyReg::ReadStringKeepEmpty(std::string_view name, const std::string& def) const {
    if (!exists_) return def;
    auto v = tree_->GetValue(path_, name);
    if (!v || v->type != ValueType::String) return def;
    return v->text;
}

int32_t TMyReg::ReadInteger(std::string_view name, int32_t def) const {
    if (!exists_) return def;
    auto v = tree_->GetValue(path_, name);
    if (!v || v->type != ValueType::DWord) return def;
    return v->number;
}

bool TMyReg::ReadBool(std::string_view name, bool def) const { return ReadInteger(name, def ? 1 : 0) != 0; }

void TMyReg::Close() { exists_ = false; }

}  // namespace pm
