#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "CliRun.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

std::string Book() { return std::string(PM_TEST_DATA) + "/russian-book.txt"; }

class SplitCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("pellmark-split-" + std::to_string(::getpid()));
        fs::remove_all(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

// Every href of every written file names a file of the folder.
TEST_F(SplitCli, IndexAndPartsLinkOnlyToFilesThatExist) {
    const CliResult r = RunCli("convert " + ShellQuote(Book()) + " --no-config --short-title " +
                               ShellQuote("Тихая гавань") + " --split " + ShellQuote(dir.string()));
    ASSERT_EQ(r.code, 0) << r.err;
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    EXPECT_TRUE(names.count("PLMK_Тихая_гавань__index.html"));
    EXPECT_TRUE(names.count("PLMK_Тихая_гавань_001.html"));
    ASSERT_GE(names.size(), 3u);
    size_t links = 0;
    for (const auto& name : names) {
        std::string html;
        ASSERT_TRUE(ReadWholeFile((dir / name).string(), html));
        const std::string text = cp1251::ToUtf8(html);
        for (size_t at = text.find("href=\""); at != std::string::npos; at = text.find("href=\"", at + 1)) {
            const size_t start = at + 6, end = text.find('"', start);
            const std::string target = text.substr(start, end - start);
            if (target.find_first_of("#:") != std::string::npos) continue;  // anchors and web links
            ++links;
            EXPECT_TRUE(names.count(target)) << name << " links to " << target;
        }
    }
    EXPECT_GT(links, names.size());
    // No part file is left beside the source.
    for (const auto& e : fs::directory_iterator(PM_TEST_DATA))
        EXPECT_EQ(e.path().filename().string().find("PLMK_"), std::string::npos);
}

TEST_F(SplitCli, UncheckingEveryEntryKeepsOneDocument) {
    const CliResult r = RunCli("convert " + ShellQuote(Book()) + " --no-config --toc-uncheck 1,2,3,4 -o -");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find("linktostr"), std::string::npos);
    EXPECT_NE(r.out.find(cp1251::FromUtf8("Глава первая")), std::string::npos);
}

}  // namespace
}  // namespace pm::test
