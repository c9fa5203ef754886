// pellmark-cli rules: the user's regular-expression rule lists.
//   rules list              every rule with its checks in both lists
//   rules apply NAME FILE   one rule over a whole file, result on stdout
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/CliConfig.h"
#include "cli/Commands.h"
#include "common/Cp1251.h"
#include "regexlists/RegExprList.h"
#include "regexlists/RegexApply.h"

namespace pm::cli {
namespace {

const char* RulesHelp() {
    return "usage: pellmark-cli rules list [--config FILE.reg | --no-config]\n"
           "       pellmark-cli rules apply NAME FILE [--config FILE.reg]\n"
           "\n"
           "list    every stored rule in the order of the source list and of the\n"
           "        HTML list, \"[x]\" marking a checked item, with its rule number\n"
           "apply   applies the rule named NAME (exactly) to the whole of FILE (\"-\"\n"
           "        for standard input) and writes the result, as bytes, to standard\n"
           "        output; a pattern that fails gives \"Error!!!\", a line break and\n"
           "        the unchanged text, and exit code 1\n"
           "\n"
           "--config FILE.reg  read the rules from this REGEDIT4 file instead of the\n"
           "                   user's configuration (never written)\n"
           "--no-config        no stored rules at all\n";
}

struct RulesOptions {
    std::vector<std::string> words;  // sub-command and its operands
    std::string configFile;
    bool noConfig = false;
    bool help = false;
};

int Usage(const std::string& error) {
    std::fprintf(stderr, "pellmark-cli rules: %s\nTry \"pellmark-cli rules --help\".\n", error.c_str());
    return 2;
}

bool Parse(const Args& args, RulesOptions& o, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--no-config") {
            o.noConfig = true;
        } else if (a == "--config") {
            if (i + 1 >= args.size()) {
                error = "--config needs a file name";
                return false;
            }
            o.configFile = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            error = "unknown option \"" + a + "\"";
            return false;
        } else {
            o.words.push_back(a);
        }
    }
    if (!o.configFile.empty() && o.noConfig) {
        error = "--config and --no-config exclude each other";
        return false;
    }
    return true;
}

void PrintList(const RegexRuleLists& lists, RuleList which, const char* title) {
    std::printf("%s:\n", title);
    const auto& items = lists.Items(which);
    if (items.empty()) std::printf("  (none)\n");
    for (const auto& it : items)
        std::printf("  [%c] %03zu  %s\n", it.checked ? 'x' : ' ', it.rule,
                    cp1251::ToUtf8(lists.Rules()[it.rule].name).c_str());
}

bool ReadAll(const std::string& path, std::string& bytes) {
    std::ostringstream buf;
    if (path == "-") {
        buf << std::cin.rdbuf();
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        buf << in.rdbuf();
        if (in.bad()) return false;
    }
    bytes = std::move(buf).str();
    return true;
}

int Apply(const RegexRuleLists& lists, const std::string& nameUtf8, const std::string& file) {
    const auto rule = lists.FindRule(cp1251::FromUtf8(nameUtf8));
    if (!rule) {
        std::fprintf(stderr, "pellmark-cli rules: no rule is named \"%s\"\n", nameUtf8.c_str());
        return 1;
    }
    std::string input;
    if (!ReadAll(file, input)) {
        std::fprintf(stderr, "pellmark-cli rules: cannot read \"%s\"\n", file.c_str());
        return 1;
    }
    const RegexRule& r = lists.Rules()[*rule];
    const rx::RegexOutcome out = rx::TryApplyRegex(r.search, r.replace, input);
    if (!out.ok) {
        std::fprintf(stderr, "pellmark-cli rules: rule \"%s\" failed: %s\n", nameUtf8.c_str(), out.error.c_str());
        std::fwrite(rx::kErrorMark.data(), 1, rx::kErrorMark.size(), stdout);
    }
    std::fwrite(out.text.data(), 1, out.text.size(), stdout);
    return std::fflush(stdout) == 0 && out.ok ? 0 : 1;
}

}  // namespace

int RunRules(const Args& args) {
    RulesOptions o;
    std::string error;
    if (!Parse(args, o, error)) return Usage(error);
    if (o.help) {
        std::fputs(RulesHelp(), stdout);
        return 0;
    }
    const bool list = !o.words.empty() && o.words[0] == "list" && o.words.size() == 1;
    const bool apply = !o.words.empty() && o.words[0] == "apply" && o.words.size() == 3;
    if (!list && !apply) return Usage(o.words.empty() ? "a sub-command is needed" : "bad arguments");

    ConfigTree tree;
    if (!LoadCliConfig(o.configFile, o.noConfig, tree, error)) {
        std::fprintf(stderr, "pellmark-cli rules: %s\n", cp1251::ToUtf8(error).c_str());
        return 1;
    }
    RegexRuleLists lists;
    lists.Load(tree);
    if (apply) return Apply(lists, o.words[1], o.words[2]);
    PrintList(lists, RuleList::Source, "source list");
    PrintList(lists, RuleList::Html, "HTML list");
    return 0;
}

}  // namespace pm::cli
