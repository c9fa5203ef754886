// pellmark-cli config: moving the user's configuration in and out as
// REGEDIT4 text.
#include <cstdio>
#include <string>

#include "cli/CliConfig.h"
#include "cli/Commands.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "config/ConfigStore.h"
#include "config/RegFile.h"

namespace pm::cli {
namespace {

constexpr int kOk = 0, kBadInput = 1, kUsage = 2;

void ConfigUsage(FILE* to) {
    std::fputs(
        "usage: pellmark-cli config import FILE.reg\n"
        "       pellmark-cli config export [KEY] [FILE]\n"
        "\n"
        "import  merges FILE.reg (REGEDIT4 text, HKEY_CURRENT_USER keys only) into\n"
        "        the user's configuration and saves it. A file with any error is\n"
        "        reported by line number and changes nothing.\n"
        "export  writes KEY with all its sub-keys as REGEDIT4 text to FILE, or to\n"
        "        standard output when FILE is missing or \"-\".\n"
        "        KEY is relative to the program's root Software\\Vorn Soft\\Pellmark\\1.00\n"
        "        (\"html\", \"Regexp\\Order\"; \"\" is the root itself), unless it starts\n"
        "        with HKEY_CURRENT_USER, in which case it is a full path in the hive.\n"
        "        Without KEY the whole configuration is written; for the whole\n"
        "        configuration into a file, give KEY as HKEY_CURRENT_USER.\n"
        "\n"
        "The configuration file is $PELLMARK_CONFIG, else\n"
        "$XDG_CONFIG_HOME/pellmark/pellmark.reg (~/.config/pellmark/pellmark.reg).\n"
        "Exit codes: 0 done, 1 bad input or a file error, 2 wrong usage.\n",
        to);
}

int Usage() {
    ConfigUsage(stderr);
    return kUsage;
}

// Messages of the core are Windows-1251; the terminal gets UTF-8.
int Fail(const std::string& message1251) {
    std::fprintf(stderr, "pellmark-cli: %s\n", cp1251::ToUtf8(message1251).c_str());
    return kBadInput;
}

// The hive path of a KEY argument (see the usage text).
std::string HivePathOf(const std::string& keyArg) {
    const std::string key = cp1251::FromUtf8(keyArg);
    const std::string hive(kUserHive);
    if (key.size() >= hive.size() && cp1251::EqualsNoCase(key.substr(0, hive.size()), hive) &&
        (key.size() == hive.size() || key[hive.size()] == '\\'))
        return key.substr(hive.size());
    return std::string(kRootKey) + "\\" + key;
}

bool LoadStore(ConfigStore& store) {
    const bool clean = store.Load();
    if (!clean) std::fprintf(stderr, "pellmark-cli: %s\n", cp1251::ToUtf8(store.warning).c_str());
    return clean;
}

int Import(const std::string& file) {
    std::string text, err;
    if (!ReadWholeFile(file, text, &err)) {
        std::fprintf(stderr, "pellmark-cli: %s\n", err.c_str());
        return kBadInput;
    }
    // A bad file is turned away before the store is even loaded, so that
    // nothing at all happens to it (not even moving a corrupt one aside).
    ConfigTree scratch;
    if (!ImportRegedit(scratch, text, &err))
        return Fail(cp1251::FromUtf8(file) + ": " + err + "; nothing was imported.");
    ConfigStore store;
    LoadStore(store);
    if (!ImportRegedit(store.user, text, &err))
        return Fail(cp1251::FromUtf8(file) + ": " + err + "; nothing was imported.");
    if (!store.SaveIfChanged(&err)) return Fail(err);
    return kOk;
}

int Export(const std::string& keyArg, const std::string& file) {
    // Export only reads: a store that cannot be parsed stays where it is.
    ConfigTree user;
    std::string loadError;
    LoadCliConfig("", false, user, loadError);
    const std::string path = HivePathOf(keyArg);
    if (!user.KeyExists(path)) return Fail("There is no key " + path + " in the configuration.");
    const std::string text = ExportRegedit(user, path);
    if (file.empty() || file == "-") {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
            return Fail("Cannot write to standard output.");
        return kOk;
    }
    std::string err;
    if (!WriteFileAtomic(file, text, &err)) {
        std::fprintf(stderr, "pellmark-cli: %s\n", err.c_str());
        return kBadInput;
    }
    return kOk;
}

}  // namespace

int RunConfig(const Args& args) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        ConfigUsage(stdout);
        return kOk;
    }
    if (args.empty()) return Usage();
    if (args[0] == "import") return args.size() == 2 ? Import(args[1]) : Usage();
    if (args[0] == "export") {
        if (args.size() > 3) return Usage();
        return Export(args.size() > 1 ? args[1] : std::string(kUserHive), args.size() > 2 ? args[2] : "");
    }
    std::fprintf(stderr, "pellmark-cli: unknown config command \"%s\"\n", args[0].c_str());
    return Usage();
}

}  // namespace pm::cli
