// The book-description editor's DTD reader: any DTD in a skin builds a
// bounded tree, and every operation of the editor works on it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "xml/DTDEdit.h"

namespace {

// The first element the DTD declares, which the editor is told to use as root.
std::string FirstElement(const std::string& dtd) {
    static const std::string kDecl = "<!ELEMENT ";
    const size_t at = dtd.find(kDecl);
    if (at == std::string::npos) return {};
    const size_t from = at + kDecl.size();
    return dtd.substr(from, dtd.find(' ', from) - from);
}

void Walk(pm::DtdTree& tree, pm::TDTDEntry& e, const pm::Texts& texts, int& budget) {
    if (--budget < 0) return;
    pm::DtdLabel(e);
    pm::DtdLocation(e);
    tree.StateIcon(e);
    pm::ControlsFor(e, "[container]", "[group]");
    if (e.IsLeaf()) tree.Leave(e, "a value", true);
    for (size_t i = 0; i < e.children.size(); ++i) Walk(tree, *e.children[i], texts, budget);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string dtd = pm::PrepareDtdText(std::string(reinterpret_cast<const char*>(data), size));
    const std::string root = FirstElement(dtd);
    pm::DtdTree tree;
    if (root.empty() || !tree.Build(dtd, root)) return 0;
    if (tree.EntryCount() > pm::DtdTree::kMaxEntries) std::abort();
    const pm::Texts texts;
    for (const pm::DtdBuildNote& note : tree.Notes()) pm::DtdNoteText(note, texts);
    pm::TDTDEntry& top = *tree.Root();
    tree.Include(top, true);
    int budget = 200;
    Walk(tree, top, texts, budget);
    if (!top.children.empty()) {
        pm::TDTDEntry& first = *top.children.front();
        tree.SetValueAtPath(pm::DtdFullPath(first), "text");
        if (pm::TDTDEntry* copy = tree.Duplicate(first)) tree.Remove(*copy);
    }
    tree.PaneSegments();
    tree.PaneText(texts);
    pm::ConfigTree config;
    tree.SaveDefaults(config);
    tree.LoadDefaults(config);
    if (tree.EntryCount() > pm::DtdTree::kMaxEntries) std::abort();
    return 0;
}
