// Placeholder: source loading lands with the intake work.
#include "app/TMain.h"
#include "common/AtomicFile.h"

namespace pm {

bool TMain::LoadSrc(const std::string& fileName) {
    LoadResult r = FileLoader(fileName);
    if (r.outcome != LoadOutcome::Text) return false;
    StoreSourceText(r.text);
    return true;
}

LoadResult TMain::FileLoader(const std::string& fileName) {
    LoadResult r;
    if (ReadWholeFile(fileName, r.text)) r.outcome = LoadOutcome::Text;
    return r;
}

}  // namespace pm
