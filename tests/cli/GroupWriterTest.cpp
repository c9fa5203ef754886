// The group writer of the library conversion: books wait beside their
// outputs in temporary files until their group is complete, then all of
// them are in place; a failure touches only its own book.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>

#include "cli/GroupWriter.h"
#include "common/AtomicFile.h"

namespace pm::cli {
namespace {

namespace fs = std::filesystem;

struct Scratch {
    Scratch() {
        std::string tmpl = (fs::temp_directory_path() / "pm-group-writer-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
    }
    ~Scratch() { fs::remove_all(dir); }
    std::string operator/(const std::string& name) const { return (dir / name).string(); }
    // The names in the folder, temporary files included.
    size_t Files() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }
    fs::path dir;
};

// Told books and their errors.
struct Told {
    GroupWriter::Finished Hook() {
        return [this](size_t book, const std::string& error) { errors[book].push_back(error); };
    }
    std::map<size_t, std::vector<std::string>> errors;
};

GroupWriter::Limits Books(size_t n) {
    GroupWriter::Limits l;
    l.books = n;
    l.bytes = 1u << 30;
    l.wait = std::chrono::hours(1);
    return l;
}

std::string Slurp(const std::string& path) {
    std::string s;
    ReadWholeFile(path, s);
    return s;
}

TEST(GroupWriter, AGroupIsInPlaceWhenItsLastBookArrives) {
    Scratch d;
    Told told;
    GroupWriter w(told.Hook(), Books(3));
    std::string error;
    ASSERT_TRUE(w.Add(0, d / "a.html", "first", error));
    ASSERT_TRUE(w.Add(1, d / "b.html", "second", error));
    // Two of three: waiting in their temporary files only.
    EXPECT_TRUE(told.errors.empty());
    EXPECT_FALSE(fs::exists(d / "a.html"));
    EXPECT_EQ(d.Files(), 2u);
    ASSERT_TRUE(w.Add(2, d / "c.html", "third", error));
    ASSERT_EQ(told.errors.size(), 3u);
    for (const auto& [book, errors] : told.errors) EXPECT_EQ(errors, std::vector<std::string>{""}) << book;
    EXPECT_EQ(Slurp(d / "a.html"), "first");
    EXPECT_EQ(Slurp(d / "c.html"), "third");
    EXPECT_EQ(d.Files(), 3u);  // no temporary file left

    // The rest goes when asked, once.
    ASSERT_TRUE(w.Add(3, d / "d.html", "fourth", error));
    EXPECT_EQ(told.errors.size(), 3u);
    w.Flush();
    w.Flush();
    ASSERT_EQ(told.errors.count(3), 1u);
    EXPECT_EQ(told.errors[3].size(), 1u);
    EXPECT_EQ(Slurp(d / "d.html"), "fourth");
}

TEST(GroupWriter, AGroupIsAlsoCompleteByItsBytes) {
    Scratch d;
    Told told;
    GroupWriter::Limits limits = Books(100);
    limits.bytes = 10;
    GroupWriter w(told.Hook(), limits);
    std::string error;
    ASSERT_TRUE(w.Add(0, d / "a", "123456789", error));  // 9 of 10 bytes
    EXPECT_TRUE(told.errors.empty());
    ASSERT_TRUE(w.Add(1, d / "b", "0", error));
    EXPECT_EQ(told.errors.size(), 2u);
}

TEST(GroupWriter, TheDestructorWritesWhatIsLeft) {
    Scratch d;
    Told told;
    {
        GroupWriter w(told.Hook(), Books(10));
        std::string error;
        ASSERT_TRUE(w.Add(7, d / "a", "x", error));
    }
    EXPECT_EQ(told.errors.count(7), 1u);
    EXPECT_EQ(Slurp(d / "a"), "x");
}

TEST(GroupWriter, AReplacedFileKeepsItsModeAndOldContentsUntilItsGroupIsWritten) {
    Scratch d;
    ASSERT_TRUE(WriteFileAtomic(d / "old.html", "old"));
    ::chmod((d / "old.html").c_str(), 0640);
    Told told;
    GroupWriter w(told.Hook(), Books(2));
    std::string error;
    ASSERT_TRUE(w.Add(0, d / "old.html", "new", error));
    EXPECT_EQ(Slurp(d / "old.html"), "old");
    w.Flush();
    EXPECT_EQ(Slurp(d / "old.html"), "new");
    struct stat st {};
    ASSERT_EQ(::stat((d / "old.html").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(GroupWriter, FailuresStayWithTheirBooks) {
    Scratch d;
    Told told;
    GroupWriter w(told.Hook(), Books(3));
    std::string error;
    // A folder that is not there: refused at once, nothing left, not told.
    EXPECT_FALSE(w.Add(0, d / "missing/a.html", "x", error));
    EXPECT_NE(error.find("missing/a.html"), std::string::npos);
    EXPECT_TRUE(told.errors.empty());
    // A folder where the book should go: its rename fails, the others of
    // the group are in place.
    fs::create_directory(d / "taken.html");
    ASSERT_TRUE(w.Add(1, d / "a.html", "a", error));
    ASSERT_TRUE(w.Add(2, d / "taken.html", "b", error));
    ASSERT_TRUE(w.Add(3, d / "c.html", "c", error));
    ASSERT_EQ(told.errors.size(), 3u);
    EXPECT_EQ(told.errors[1], std::vector<std::string>{""});
    EXPECT_EQ(told.errors[3], std::vector<std::string>{""});
    ASSERT_EQ(told.errors[2].size(), 1u);
    EXPECT_NE(told.errors[2][0].find("taken.html"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(d / "taken.html"));
    EXPECT_EQ(Slurp(d / "c.html"), "c");
    EXPECT_EQ(d.Files(), 3u);  // a.html, c.html, the folder: no temporary file
}

}  // namespace
}  // namespace pm::cli
