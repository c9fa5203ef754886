// The settings reader: a read-only view of one key of the configuration tree.
// Opening never creates the key; a missing, empty or wrongly typed value gives
// the caller's default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/ConfigTree.h"

namespace pm {

class TMyReg {
public:
    TMyReg(const ConfigTree& tree, std::string_view keyPath);

    bool Exists() const { return exists_; }
    std::string ReadString(std::string_view name, const std::string& def) const;
    // As ReadString, except that an empty stored text is returned as it is,
    // for the values whose empty text means something of its own.
    std::string ReadStringKeepEmpty(std::string_view name, const std::string& def) const;
    int32_t ReadInteger(std::string_view name, int32_t def) const;
    bool ReadBool(std::string_view name, bool def) const;
    void Close();

private:
    const ConfigTree* tree_;
    std::string path_;
    bool exists_;
};

}  // namespace pm
