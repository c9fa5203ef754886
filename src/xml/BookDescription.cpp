#include "xml/BookDescription.h"

#include "config/TMyReg.h"

namespace pm {

void DtdEditorLayout::Read(const ConfigTree& tree) {
    const std::string key = XmlKeyPath();
    const TMyReg reg(tree, key);
    rootName = reg.ReadString("Root element", rootName);
    caption = reg.ReadString("Window caption", caption);
    const std::pair<std::string_view, int*> sizes[] = {{"Window width", &width},
                                                        {"Window height", &height},
                                                        {"XML text width", &xmlTextWidth},
                                                        {"Value editor height", &valueEditorHeight},
                                                        {"Toolbar mode", &toolbarMode}};
    for (const auto& [name, size] : sizes) {
        const std::optional<ConfigValue> v = tree.GetValue(key, name);
        if (!v || v->type != ValueType::DWord) return;
        *size = v->number;
    }
}

void DtdEditorLayout::Write(ConfigTree& tree) const {
    const std::string key = XmlKeyPath();
    // The layout belongs to the skin: a skin removed meanwhile stays removed.
    if (!tree.KeyExists(key)) return;
    tree.SetString(key, "Root element", rootName);
    tree.SetDWord(key, "Window width", width);
    tree.SetDWord(key, "Window height", height);
    tree.SetDWord(key, "XML text width", xmlTextWidth);
    tree.SetDWord(key, "Value editor height", valueEditorHeight);
    tree.SetDWord(key, "Toolbar mode", toolbarMode);
    const std::optional<ConfigValue> stored = tree.GetValue(key, "Window caption");
    if (!stored || stored->type != ValueType::String || stored->text.empty())
        tree.SetString(key, "Window caption", kDtdEditorCaption);
}

std::string DtdEditorLayout::Title() const {
    return (caption.empty() ? std::string(kDtdEditorCaption) : caption) + std::string(kDtdEditorSuffix);
}

DtdLoadOutcome LoadDescriptionTree(ConfigTree& tree, const std::string& rootName, DtdTree& out) {
    const std::string key = XmlKeyPath();
    if (!tree.KeyExists(key)) return DtdLoadOutcome::NoXmlKey;
    const std::string dtd = PrepareDtdText(TMyReg(tree, key).ReadString("DTD for editor", ""));
    if (dtd.find("<!ELEMENT " + rootName + " ") == std::string::npos || !out.Build(dtd, rootName))
        return DtdLoadOutcome::NoRoot;
    out.Include(*out.Root(), true);
    out.LoadDefaults(tree);
    return DtdLoadOutcome::Built;
}

void TellLoadOutcome(DtdLoadOutcome outcome, const DtdTree& tree, Questions& q, const Texts& texts) {
    if (outcome == DtdLoadOutcome::NoXmlKey) q.ShowMessage(texts.Msg("Error"), texts.Msg("Bad DTD"), MessageIcon::Error);
    if (outcome == DtdLoadOutcome::NoRoot)
        q.ShowMessage(texts.Msg("Error"), texts.Msg("DTD in REG has no root"), MessageIcon::Error);
    if (outcome != DtdLoadOutcome::Built) return;
    for (const DtdBuildNote& note : tree.Notes())
        q.ShowMessage(texts.Msg("Info"), DtdNoteText(note, texts), MessageIcon::Warning);
}

void PrefillDescription(DtdTree& tree, const XmlDescriptionValues& paths, const DescriptionPrefill& v) {
    tree.SetValueAtPath(paths.currentDate, v.date);
    tree.SetValueAtPath(paths.programUsed, v.program);
    tree.SetValueAtPath(paths.firstName, v.firstName);
    tree.SetValueAtPath(paths.middleName, v.middleName);
    tree.SetValueAtPath(paths.lastName, v.lastName);
    tree.SetValueAtPath(paths.bookTitle, v.title);
}

std::optional<HeadlessDescription> MakeBookDescription(ConfigTree& config, const XmlDescriptionValues& paths,
                                                       const DescriptionPrefill& values, Questions& questions,
                                                       const Texts& texts) {
    DtdEditorLayout layout;
    layout.Read(config);
    DtdTree tree;
    const DtdLoadOutcome outcome = LoadDescriptionTree(config, layout.rootName, tree);
    TellLoadOutcome(outcome, tree, questions, texts);
    if (outcome != DtdLoadOutcome::Built) return std::nullopt;
    PrefillDescription(tree, paths, values);
    return HeadlessDescription{tree.PaneText(texts), tree.PendingMessage(texts)};
}

}  // namespace pm
