#include "common/Module.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <vector>

namespace pm {
namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder() {
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path();
}

// Where the module may be: beside the program (the build tree), then the
// installed modules folder relative to the program's folder, so that an
// installation moved to another prefix still finds its modules.
std::vector<fs::path> Candidates(const std::string& file) {
    const fs::path bin = ProgramFolder();
    std::vector<fs::path> out{bin / file};
#ifdef PELLMARK_MODULE_SUBDIR
    out.push_back(bin.parent_path() / PELLMARK_MODULE_SUBDIR / file);
#endif
    return out;
}

void* Load(const std::string& name, std::string& why) {
    const std::string file = name + ".so";
    for (const fs::path& p : Candidates(file)) {
        std::error_code ec;
        if (!fs::exists(p, ec)) continue;
        if (void* handle = ::dlopen(p.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        const char* e = ::dlerror();
        why = "the module \"" + p.string() + "\" could not be loaded: " + (e ? e : "unknown error");
        return nullptr;
    }
    why = "the module \"" + file + "\" is not installed beside the program nor in its modules folder";
    return nullptr;
}

}  // namespace

void* ModuleSymbol(const std::string& name, const char* symbol, std::string* error) {
    static std::mutex lock;
    static std::map<std::string, void*> loaded;  // kept for the life of the process
    std::lock_guard<std::mutex> guard(lock);
    std::string why;
    auto it = loaded.find(name);
    if (it == loaded.end()) {
        void* handle = Load(name, why);
        if (!handle) {
            if (error) *error = why;
            return nullptr;  // not remembered: a module installed meanwhile is found next time
        }
        it = loaded.emplace(name, handle).first;
    }
    void* address = ::dlsym(it->second, symbol);
    if (!address && error) *error = "the module \"" + name + "\" has no \"" + symbol + "\"";
    return address;
}

}  // namespace pm
