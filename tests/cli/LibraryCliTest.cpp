// pellmark-cli convert with EPUB output, the output code page, and many
// books at once.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "support/Files.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

std::string Data(const std::string& name) { return std::string(PM_TEST_DATA) + "/" + name; }

class Folder {
public:
    Folder() {
        std::string t = (fs::temp_directory_path() / "pm-cli-lib-XXXXXX").string();
        path_ = ::mkdtemp(t.data());
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string operator/(const std::string& n) const { return (path_ / n).string(); }
    std::string str() const { return path_.string(); }
    // Every file under the folder, by its relative name.
    std::vector<std::string> Files() const {
        std::vector<std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(path_))
            if (e.is_regular_file()) out.push_back(fs::relative(e.path(), path_).string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    fs::path path_;
};

bool IsZip(const std::string& bytes) { return bytes.size() > 58 && bytes.substr(30, 28) == "mimetypeapplication/epub+zip"; }

TEST(EpubCli, FormatEpubWritesABookBesideTheInput) {
    Folder dir;
    fs::copy_file(Data("russian-book.txt"), dir / "book.txt");
    const CliResult r = RunCli("convert " + ShellQuote(dir / "book.txt") + " --no-config --format epub");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(IsZip(Slurp(dir / "book.epub")));
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"book.epub", "book.txt"}));
    // On standard output too, byte for byte the same book.
    const CliResult out = RunCli("convert " + ShellQuote(dir / "book.txt") + " --no-config --format epub -o -");
    ASSERT_EQ(out.code, 0) << out.err;
    EXPECT_EQ(out.out, Slurp(dir / "book.epub"));
}

TEST(EpubCli, ASplitBookComesFromTheSetting) {
    Folder dir;
    fs::copy_file(Data("russian-book.txt"), dir / "book.txt");
    const CliResult r = RunCli("convert " + ShellQuote(dir / "book.txt") +
                               " --no-config --format epub --set 'Break text Apart by TOC=1' -o " +
                               ShellQuote(dir / "split.epub"));
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string book = Slurp(dir / "split.epub");
    EXPECT_TRUE(IsZip(book));
    EXPECT_NE(book.find("OEBPS/chapter-004.xhtml"), std::string::npos);
    // The part files were only on the way.
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"book.txt", "split.epub"}));
    const CliResult bad =
        RunCli("convert " + ShellQuote(dir / "book.txt") + " --no-config --format epub --split " + dir.str());
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("Break text Apart by TOC=1"), std::string::npos);
}

TEST(OutputEncodingCli, Utf8HtmlAndTextFromAWindows1251Conversion) {
    const std::string in = ShellQuote(Data("russian-book.txt"));
    const CliResult cp = RunCli("convert " + in + " --no-config -o -");
    const CliResult utf8 = RunCli("convert " + in + " --no-config --output-encoding utf-8 -o -");
    ASSERT_EQ(cp.code, 0) << cp.err;
    ASSERT_EQ(utf8.code, 0) << utf8.err;
    EXPECT_NE(cp.out.find("charset=windows-1251"), std::string::npos);
    EXPECT_NE(utf8.out.find("charset=utf-8"), std::string::npos);
    EXPECT_EQ(utf8.out.find("windows-1251"), std::string::npos);
    std::string back = cp1251::FromUtf8(utf8.out);
    back.replace(back.find("charset=utf-8"), 13, "charset=windows-1251");
    EXPECT_EQ(back, cp.out);
    // Plain text, and the spelling of the name.
    const CliResult text = RunCli("convert " + in + " --no-config --format txt --output-encoding UTF8 -o -");
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("Глава первая"), std::string::npos);
    // Windows-1251 named outright wins over a configuration that asks for UTF-8.
    const CliResult named =
        RunCli("convert " + in + " --no-config --set 'Output UTF-8=1' --output-encoding windows-1251 -o -");
    EXPECT_EQ(named.out, cp.out);
    const CliResult bad = RunCli("convert " + in + " --no-config --output-encoding koi8-r -o -");
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("--output-encoding takes windows-1251 or utf-8"), std::string::npos);
}

// A library of books in the three code pages, one of them in a sub-folder,
// and a file that is no book.
void MakeLibrary(const Folder& lib) {
    fs::create_directories(lib / "more");
    fs::copy_file(Data("koi8.txt"), lib / "koi8.txt");
    fs::copy_file(Data("dos866.txt"), lib / "dos.TXT");
    fs::copy_file(Data("html-page.html"), lib / "page.html");
    fs::copy_file(Data("russian-book.txt"), lib / "more/book.txt");
    Spit(lib / "notes.doc", "not a book");
    Spit(lib / ".hidden.txt", "hidden");
}

TEST(LibraryCli, AFolderConvertsIntoTheOutputFolderUnderItsNames) {
    Folder lib, out;
    MakeLibrary(lib);
    const CliResult r = RunCli("convert " + ShellQuote(lib.str()) + " --no-config -O " + ShellQuote(out.str()));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(out.Files(), (std::vector<std::string>{"dos.html", "koi8.html", "page.html"}));
    EXPECT_NE(r.err.find("Converted 3 of 3 books"), std::string::npos) << r.err;
    // Not a terminal: no progress bar.
    EXPECT_EQ(r.err.find('\r'), std::string::npos);
    // The same story from two code pages.
    for (const char* book : {"koi8.html", "dos.html"})
        EXPECT_NE(Slurp(out / book).find(cp1251::FromUtf8("Ходили мы с отцом")), std::string::npos) << book;

    // With -r the sub-folders come too, kept under -O.
    Folder all;
    const CliResult rec =
        RunCli("convert " + ShellQuote(lib.str()) + " --no-config -r --format epub -j 2 -O " + ShellQuote(all.str()));
    ASSERT_EQ(rec.code, 0) << rec.err;
    EXPECT_EQ(all.Files(), (std::vector<std::string>{"dos.epub", "koi8.epub", "more/book.epub", "page.epub"}));
    EXPECT_TRUE(IsZip(Slurp(all / "more/book.epub")));
}

// The names under -O are the names under the folder however the folder
// is spelt; no temporary file is left beside the books.
TEST(LibraryCli, NamesUnderTheFolderHoweverItIsSpelt) {
    Folder lib;
    MakeLibrary(lib);
    const std::string name = fs::path(lib.str()).filename().string();
    for (const std::string& spelt : {lib.str() + "/", lib.str() + "//", lib.str() + "/more/../../" + name}) {
        Folder out;
        const CliResult r = RunCli("convert " + ShellQuote(spelt) + " --no-config -r -j 2 -O " + ShellQuote(out.str()));
        ASSERT_EQ(r.code, 0) << spelt << r.err;
        EXPECT_EQ(out.Files(), (std::vector<std::string>{"dos.html", "koi8.html", "more/book.html", "page.html"}))
            << spelt;
    }
}

TEST(LibraryCli, ABrokenBookIsReportedAndTheOthersGoOn) {
    Folder lib, out;
    MakeLibrary(lib);
    Spit(lib / "broken.txt", std::string("\x00\x01\x02\x03 binary\x00\x00", 13));
    const CliResult r =
        RunCli("convert " + ShellQuote(lib.str()) + " " + ShellQuote(lib / "missing.txt") + " --no-config -j 2 -O " +
               ShellQuote(out.str()));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(out.Files(), (std::vector<std::string>{"dos.html", "koi8.html", "page.html"}));
    EXPECT_NE(r.err.find("broken.txt\" does not look like a text file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("missing.txt"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Converted 3 of 5 books"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("2 failed"), std::string::npos) << r.err;
}

TEST(LibraryCli, OneOrTwoAtATimeMakeTheSameBooks) {
    Folder lib, one, two;
    MakeLibrary(lib);
    for (int n = 0; n < 6; ++n) fs::copy_file(Data("koi8.txt"), lib / ("copy" + std::to_string(n) + ".txt"));
    ASSERT_EQ(RunCli("convert " + ShellQuote(lib.str()) + " --no-config -j1 -O " + ShellQuote(one.str())).code, 0);
    ASSERT_EQ(RunCli("convert " + ShellQuote(lib.str()) + " --no-config -j 2 -O " + ShellQuote(two.str())).code, 0);
    ASSERT_EQ(one.Files(), two.Files());
    EXPECT_EQ(one.Files().size(), 9u);
    for (const std::string& f : one.Files()) EXPECT_EQ(Slurp(one / f), Slurp(two / f)) << f;
}

TEST(LibraryCli, ALowLimitOfOpenFilesFailsNoBook) {
    // Books waiting to be written hold files open; with room for about a
    // hundred, a library of three hundred still converts whole.
    Folder lib, out;
    std::string text;
    ASSERT_TRUE(ReadWholeFile(Data("koi8.txt"), text));
    for (int n = 0; n < 300; ++n) WriteFileAtomic(lib / ("b" + std::to_string(n) + ".txt"), text);
    const CliResult r = RunCli("convert " + ShellQuote(lib.str()) + " --no-config -j 2 -O " + ShellQuote(out.str()),
                               "ulimit -n 100 && PELLMARK_CONFIG=/nonexistent/pellmark-test.reg");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Converted 300 of 300 books"), std::string::npos) << r.err;
    EXPECT_EQ(out.Files().size(), 300u);
}

TEST(LibraryCli, OutputsNeverFallOnInputsOrOnEachOther) {
    Folder lib;
    fs::copy_file(Data("koi8.txt"), lib / "a.txt");
    fs::copy_file(Data("html-page.html"), lib / "a.html");
    const CliResult r = RunCli("convert " + ShellQuote(lib / "a.txt") + " " + ShellQuote(lib / "a.html") +
                               " --no-config --answer converted=yes");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(lib.Files(), (std::vector<std::string>{"a.html", "a.html.html", "a.txt", "a.txt.html"}));
    EXPECT_EQ(Slurp(lib / "a.html"), Slurp(Data("html-page.html")));  // the input is untouched
}

TEST(LibraryCli, SplitBooksBringTheirPartFiles) {
    Folder lib, out;
    fs::copy_file(Data("russian-book.txt"), lib / "a.txt");
    fs::copy_file(Data("koi8.txt"), lib / "b.txt");
    const CliResult r = RunCli("convert " + ShellQuote(lib.str()) +
                               " --no-config --set 'Break text Apart by TOC=1' --short-title x -O " +
                               ShellQuote(out.str()));
    ASSERT_EQ(r.code, 0) << r.err;
    // The book with chapters is its index and parts; the one without is one page.
    EXPECT_EQ(out.Files(), (std::vector<std::string>{"PLMK_x_001.html", "PLMK_x_002.html", "PLMK_x_003.html",
                                                     "PLMK_x_004.html", "PLMK_x__index.html", "b.html"}));
    EXPECT_EQ(lib.Files(), (std::vector<std::string>{"a.txt", "b.txt"}));  // nothing left beside the books
}

TEST(LibraryCli, UsageMistakes) {
    const std::string in = ShellQuote(Data("koi8.txt"));
    for (const std::string& args : {in + " " + in + " -o out.html", in + " " + in + " --dump-lines",
                                    in + " -j 0", in + " --jobs x", in + " -O /tmp --split /tmp"}) {
        const CliResult r = RunCli("convert " + args + " --no-config");
        EXPECT_EQ(r.code, 2) << args << ": " << r.err;
    }
    Folder empty;
    const CliResult none = RunCli("convert " + ShellQuote(empty.str()) + " --no-config");
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("it is a folder without books"), std::string::npos);
}

TEST(LibraryCli, TheProgressBarIsForATerminal) {
    Folder lib, out;
    MakeLibrary(lib);
    int code = -1;
    const std::string screen =
        RunCliOnTerminal({"convert", lib.str(), "--no-config", "-r", "-O", out.str()}, code);
    EXPECT_EQ(code, 0) << screen;
    EXPECT_NE(screen.find("[########################] 4/4 books"), std::string::npos) << screen;
    EXPECT_NE(screen.find("MB/s"), std::string::npos);
    // What stays on the screen is the summary alone.
    const std::vector<std::string> lines = ScreenLines(screen);
    ASSERT_EQ(lines.size(), 1u) << screen;
    EXPECT_EQ(lines[0].rfind("Converted 4 of 4 books in ", 0), 0u) << lines[0];
}

}  // namespace
}  // namespace pm::test
