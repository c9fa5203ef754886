// pellmark-cli book info: a book's reader data, read with the reader's rules.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "reader/BookMarkers.h"

namespace pm::test {
namespace {

using BookInfoCli = CliScratch;

TEST_F(BookInfoCli, SavedBookShowsItsBookmarksInOrderAndItsPosition) {
    const std::string block = reader::BookmarkBlock(
        {{19, "Top"}, {1073741831, "\xC3\xEB\xE0\xE2\xE0 2"}, {2147483000, "End \"quoted"}}, 536870912);
    const std::string book = Write("b.html", "<html><body><p>text</p>" + block + "</html>");
    const CliResult r = RunCli("book info " + ShellQuote(book));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "produced-by\tyes\n"
              "bookmark\t19\tTop\n"
              "bookmark\t1073741831\t\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0 2\n"
              "bookmark\t2147483000\tEnd \"quoted\n"
              "position\t536870912\n");
}

TEST_F(BookInfoCli, ConvertedBookHasNoReaderDataYet) {
    const std::string src = Write("book.txt", "     Chapter one\r\n\r\n     Some text of the book.\r\n");
    const std::string out = (dir / "book.html").string();
    const CliResult c = ConvertTo(src, out);
    ASSERT_EQ(c.code, 0) << c.err;
    const CliResult r = RunCli("book info " + ShellQuote(out));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "produced-by\tyes\nposition\tnone\n");
}

TEST_F(BookInfoCli, ForeignPageAndFailures) {
    const std::string page = Write("page.html", "<html><body>just a page</body></html>");
    EXPECT_EQ(RunCli("book info " + ShellQuote(page)).out, "produced-by\tno\nposition\tnone\n");
    const CliResult missing = RunCli("book info " + ShellQuote((dir / "none.html").string()));
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("none.html"), std::string::npos);
    EXPECT_EQ(RunCli("book").code, 2);
    EXPECT_EQ(RunCli("book info").code, 2);
    EXPECT_EQ(RunCli("book list x").code, 2);
    EXPECT_EQ(RunCli("book --help").code, 0);
}

}  // namespace
}  // namespace pm::test
