// The configuration tree: a hierarchical key/value store with the registry's
// semantics. Keys are addressed by backslash paths relative to the hive
// ("Software\\Vorn Soft\\Pellmark\\1.00\\html"); key and value names compare
// without regard to case (ASCII and Windows-1251 letters) but keep the case
// they were first written with. Values are strings (8-bit, Windows-1251),
// 32-bit integers or binary blobs. The empty value name is a key's default
// value (written "@" in REGEDIT4 files).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pm {

// The root of everything the program stores.
inline constexpr std::string_view kRootKey = "Software\\Vorn Soft\\Pellmark\\1.00";

enum class ValueType { String, DWord, Binary };

struct ConfigValue {
    std::string name;  // as written
    ValueType type = ValueType::String;
    std::string text;            // ValueType::String
    int32_t number = 0;          // ValueType::DWord
    std::vector<uint8_t> bytes;  // ValueType::Binary
};

class ConfigTree {
public:
    ConfigTree();
    ~ConfigTree();
    ConfigTree(ConfigTree&&) noexcept;
    ConfigTree& operator=(ConfigTree&&) noexcept;

    bool KeyExists(std::string_view path) const;
    // The path with every name spelt as stored ("" for the hive itself), or
    // nothing when the key does not exist.
    std::optional<std::string> StoredPath(std::string_view path) const;
    // Creates the key and every missing key above it. Returns false on an
    // invalid path (empty component) or a read-only tree.
    bool CreateKey(std::string_view path);
    // Deletes the key with everything below it. False when it did not exist.
    bool DeleteKey(std::string_view path);

    std::optional<ConfigValue> GetValue(std::string_view path, std::string_view name) const;
    // Setters create the key when missing; they fail only on a read-only tree
    // or an invalid path.
    bool SetString(std::string_view path, std::string_view name, std::string_view text);
    bool SetDWord(std::string_view path, std::string_view name, int32_t number);
    bool SetBinary(std::string_view path, std::string_view name, std::vector<uint8_t> bytes);
    bool DeleteValue(std::string_view path, std::string_view name);

    // Names as written, in the order the keys/values were created.
    std::vector<std::string> SubKeys(std::string_view path) const;
    std::vector<ConfigValue> Values(std::string_view path) const;

    // True when anything changed since the last MarkClean().
    bool Dirty() const;
    // Forgets the changes made so far (see ApplyChangesTo).
    void MarkClean();
    // Makes on target every change made here since the last MarkClean(), in
    // the order they were made: how one copy of the program saves its own
    // changes over a file that another copy wrote in the meantime.
    void ApplyChangesTo(ConfigTree& target) const;
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace pm
