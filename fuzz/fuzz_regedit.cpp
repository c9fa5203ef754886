// The REGEDIT4 reader: any file merged into a tree either fails with the
// tree untouched or succeeds, and what it made exports and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pm::ConfigTree tree;
    tree.SetString("Software\\Keep", "Name", "before");
    const std::string before = pm::ExportRegedit(tree, "");
    std::string error;
    if (!pm::ImportRegedit(tree, text, &error)) {
        if (pm::ExportRegedit(tree, "") != before) std::abort();  // a failed import changed the tree
        return 0;
    }
    const std::string exported = pm::ExportRegedit(tree, "");
    pm::ConfigTree again;
    if (!pm::ImportRegedit(again, exported, &error)) std::abort();  // our own export must read back
    if (pm::ExportRegedit(again, "") != exported) std::abort();
    return 0;
}
