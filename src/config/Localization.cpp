#include "config/Localization.h"
#include "common/Concat.h"

#include <optional>

#include "config/DefaultTexts.h"
#include "config/TextTable.h"
#include "config/TMyReg.h"

namespace pm {

namespace {

std::string InterfaceKey(std::string_view section = {}) {
    std::string key = std::string(kRootKey) + "\\interface";
    if (!section.empty()) {
        key += '\\';
        key += section;
    }
    return key;
}

// Every entry of the table whose key the section supplies is replaced; a
// missing or empty value keeps the text (the settings reader's rule).
void ApplySection(const TMyReg& reg, TextTable& table) {
    for (auto& [name, text] : table) text = reg.ReadString(name, text);
}

// "target" as the error window shows it: the number, the stored text of a
// value of another type, or "Unknown" when there is none.
std::string TargetText(const std::optional<ConfigValue>& target) {
    if (!target) return "Unknown";
    if (target->type == ValueType::DWord) return std::to_string(target->number);
    if (target->type == ValueType::String && !target->text.empty()) return target->text;
    return "Unknown";
}

}  // namespace

InterfaceTexts::InterfaceTexts()
    : menu_(DefaultTable<kDefaultMenu>()),
      hints_(DefaultTable<kDefaultHints>()),
      controls_(DefaultTable<kDefaultControlsMain>()) {}

const std::string& InterfaceTexts::Menu(std::string_view key) const { return LookupText(menu_, unknown_, key); }
const std::string& InterfaceTexts::Hint(std::string_view key) const { return LookupText(hints_, unknown_, key); }
const std::string& InterfaceTexts::Control(std::string_view key) const { return LookupText(controls_, unknown_, key); }

std::string InterfaceTexts::Descr(std::string_view key, const std::string& def) const {
    auto it = descr_.find(key);
    return it != descr_.end() ? it->second : def;
}

// Applies the sections one by one; a friend of InterfaceTexts.
class LocalizationApplier {
public:
    LocalizationApplier(const ConfigTree& tree, InterfaceTexts& ui, Texts& texts)
        : tree_(tree), ui_(ui), texts_(texts) {}

    void Run() {
        Section("menu", [&](const TMyReg& r) { ApplySection(r, ui_.menu_); });
        Section("Hints", [&](const TMyReg& r) { ApplySection(r, ui_.hints_); });
        Section("tree", [&](const TMyReg& r) { Tree(r); });
        Section("Controls\\main", [&](const TMyReg& r) { ApplySection(r, ui_.controls_); });
        const bool hasMessages = Section("messages", [&](const TMyReg& r) { Messages(r); });
        if (hasMessages) Section("processes", [&](const TMyReg& r) { Processes(r); });
        Section("descr", [&](const TMyReg& r) { Descriptions(r); });
    }

private:
    template <class F>
    bool Section(std::string_view name, F apply) {
        TMyReg reg(tree_, InterfaceKey(name));
        if (!reg.Exists()) return false;
        apply(reg);
        return true;
    }

    void Tree(const TMyReg& reg) {
        for (size_t i = 0; i < ui_.treeRows.size(); ++i)
            ui_.treeRows[i] = reg.ReadString(std::to_string(i), ui_.treeRows[i]);
        TreeTexts& t = ui_.tree;
        t.longerPrefix = reg.ReadString("23", t.longerPrefix);
        t.shorterPrefix = reg.ReadString("24", t.shorterPrefix);
        // The stored row text begins with the number of lines ("2 and more
        // empty lines to <br>"); the suffix is what follows that digit.
        t.emptyLinesSuffix = reg.ReadString("28", "2" + t.emptyLinesSuffix).substr(1);
        t.author = reg.ReadString("2", t.author);
        t.title = reg.ReadString("3", t.title);
        t.shortTitle = reg.ReadString("4", t.shortTitle);
        t.comment = reg.ReadString("5", t.comment);
    }

    void Messages(const TMyReg& reg) {
        for (const auto& [key, def] : kDefaultMessages) texts_.SetMsg(key, reg.ReadString(key, ""));
    }

    void Processes(const TMyReg& reg) {
        for (const auto& [key, def] : kDefaultProcesses) texts_.SetProc(key, reg.ReadString(key, ""));
    }

    // The descriptions have their defaults in the options panel; only the
    // values the localization supplies are kept here.
    void Descriptions(const TMyReg&) {
        for (const ConfigValue& v : tree_.Values(InterfaceKey("descr")))
            if (v.type == ValueType::String && !v.text.empty()) ui_.descr_[v.name] = v.text;
    }

    const ConfigTree& tree_;
    InterfaceTexts& ui_;
    Texts& texts_;
};

LocalizationOutcome ApplyInterfaceTexts(const ConfigTree& tree, InterfaceTexts& ui, Texts& texts) {
    LocalizationOutcome out;
    const std::string key = InterfaceKey();
    if (!tree.KeyExists(key)) return out;
    out.present = true;
    const auto target = tree.GetValue(key, "target");
    out.accepted = target && target->type == ValueType::DWord && target->number >= kLocalizationMinBuild;
    if (!out.accepted) {
        out.error = "Interface localization was created for build [" + TargetText(target) +
                    "], and is incompatible with curent version. Download latest localization from " +
                    std::string(kLocalizationPage);
        return out;
    }
    LocalizationApplier(tree, ui, texts).Run();
    ui.localized = true;
    return out;
}

std::string WindowTextsKey(std::string_view window) {
    if (window == "RegExprList") return std::string(kRootKey) + "\\Controls\\RegExprList";
    return InterfaceKey(Concat({"Controls\\", window}));
}

WindowTexts::WindowTexts(const ConfigTree& tree, std::string_view window, bool localized)
    : tree_(&tree), key_(WindowTextsKey(window)), use_(localized || window == "RegExprList") {}

std::string WindowTexts::Get(std::string_view name, const std::string& def) const {
    if (!use_) return def;
    return TMyReg(*tree_, key_).ReadString(name, def);
}

}  // namespace pm
