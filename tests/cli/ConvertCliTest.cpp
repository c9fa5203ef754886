#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "CliRun.h"
#include "common/AtomicFile.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

using ConvertCli = CliScratch;

TEST_F(ConvertCli, HelpDocumentsEveryOption) {
    const CliResult r = RunCli("convert --help");
    EXPECT_EQ(r.code, 0);
    for (const char* opt : {"--config", "--no-config", "--set", "--open-as", "--preset", "--answer", "--stages",
                            "--dump-lines", "--format", "--title", "--split", "--toc-uncheck"})
        EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
    EXPECT_NE(r.out.find("binary"), std::string::npos);
}

TEST_F(ConvertCli, BadUsageIsExitTwoWithAReason) {
    EXPECT_EQ(RunCli("convert").code, 2);
    CliResult r = RunCli("convert x.txt --frobnicate");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("--frobnicate"), std::string::npos);
    EXPECT_EQ(RunCli("convert x.txt --open-as latin1").code, 2);
    EXPECT_EQ(RunCli("convert x.txt --answer large=maybe").code, 2);
    EXPECT_EQ(RunCli("convert x.txt --answer binary=maybe").code, 2);
    EXPECT_EQ(RunCli("convert x.txt --stages -1").code, 2);
    EXPECT_EQ(RunCli("convert x.txt --toc-uncheck 2,,3").code, 2);
}

TEST_F(ConvertCli, StageZeroDumpShowsTheSourceLinesWithMarkZero) {
    const std::string in = Write("book.txt", "First line\r\n  back\\slash\r\n\r\nlast");
    const CliResult r = RunCli("convert " + ShellQuote(in) + " --no-config --stages 0 --dump-lines");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "0\tFirst line\n0\t  back\\\\slash\n0\t\n0\tlast\n");
}

TEST_F(ConvertCli, MissingInputNamesTheFile) {
    const CliResult r = RunCli("convert " + ShellQuote((dir / "none.txt").string()) + " --no-config");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("none.txt"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No such file"), std::string::npos) << r.err;
    const CliResult folder = RunCli("convert " + ShellQuote(dir.string()) + " --no-config");
    EXPECT_EQ(folder.code, 1);
    EXPECT_NE(folder.err.find("it is a folder"), std::string::npos) << folder.err;
}

TEST_F(ConvertCli, MadeByPellmarkAndSentToTheReaderSaysHowToConvertIt) {
    const std::string in = Write("done.html", "<html><head><meta name=\"Generator\" content=\"Pellmark\"></head>"
                                              "<body>Text</body></html>");
    const std::string cfg = Write("c.reg",
                                  "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00]\n"
                                  "\"Open for reading converted\"=dword:00000001\n");
    CliResult r = RunCli("convert " + ShellQuote(in) + " -o - --config " + ShellQuote(cfg));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Open for reading converted=2"), std::string::npos) << r.err;
    r = RunCli("convert " + ShellQuote(in) + " -o - --config " + ShellQuote(cfg) +
               " --set 'Open for reading converted=2'");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Text"), std::string::npos);
}

TEST_F(ConvertCli, BinaryFileIsRefusedUnlessAnsweredYes) {
    // A megabyte of noise: no question of encoding or tags may come before
    // the refusal, and nothing is written.
    std::mt19937 noise(7);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) c = static_cast<char>(noise() & 0xFF);
    const std::string in = Write("noise.bin", bytes);
    const std::string out = (dir / "noise.html").string();
    CliResult r = ConvertTo(in, out);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("does not look like a text file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--answer binary=yes"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Very long tag"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));

    // Answered yes, a file with stray NUL bytes is loaded and converted.
    const std::string nul = Write("nul.txt", std::string("Some words\0 and more words.\r\n", 30));
    r = RunCli("convert " + ShellQuote(nul) + " --no-config -o - --answer binary=yes");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Some words"), std::string::npos);
    r = RunCli("convert " + ShellQuote(nul) + " --no-config -o -");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.empty());
}

TEST_F(ConvertCli, EmptySourceIsNotConverted) {
    const std::string in = Write("blank.txt", "  \r\n\r\n");
    const std::string out = (dir / "blank.html").string();
    const CliResult r = ConvertTo(in, out);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("there is no text to convert"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ConvertCli, WritesTheDocumentAndLeavesNoTemporaryFiles) {
    const std::string in = Write("story.txt", "Hello world.\r\n");
    const std::string out = (dir / "story.html").string();
    const CliResult r = ConvertTo(in, out);
    ASSERT_EQ(r.code, 0) << r.err;
    std::string html;
    ASSERT_TRUE(ReadWholeFile(out, html));
    EXPECT_EQ(html.rfind("<!doctype html", 0), 0u);
    EXPECT_NE(html.find("Hello world."), std::string::npos);
    EXPECT_NE(html.find("</body></html>"), std::string::npos);
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename().string().find("$~$~tmp_"), std::string::npos) << e.path();
}

}  // namespace
}  // namespace pm::test
