// The group writer of the library conversion: books wait in files without
// a name (or, where the system has none, in temporary files beside their
// outputs) until their group is complete, then all of them are in place; a
// failure touches only its own book. Every case runs both ways.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

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

// The parameter: whether books wait in files without a name.
class GroupWriterTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!GetParam()) return;
        const int fd = ::open(fs::temp_directory_path().c_str(), O_TMPFILE | O_WRONLY, 0600);
        if (fd < 0) GTEST_SKIP() << "the temporary folder's file system has no files without a name";
        ::close(fd);
    }
    GroupWriter::Limits Books(size_t n) const {
        GroupWriter::Limits l;
        l.books = n;
        l.bytes = 1u << 30;
        l.wait = std::chrono::hours(1);
        l.unnamed = GetParam();
        return l;
    }
    // The names a waiting book shows in its folder.
    size_t Waiting(size_t books) const { return GetParam() ? 0 : books; }
};

std::string Slurp(const std::string& path) {
    std::string s;
    ReadWholeFile(path, s);
    return s;
}

TEST_P(GroupWriterTest, AGroupIsInPlaceWhenItsLastBookArrives) {
    Scratch d;
    Told told;
    GroupWriter w(told.Hook(), Books(3));
    std::string error;
    ASSERT_TRUE(w.Add(0, d / "a.html", "first", error));
    ASSERT_TRUE(w.Add(1, d / "b.html", "second", error));
    // Two of three: waiting, not yet under their names.
    EXPECT_TRUE(told.errors.empty());
    EXPECT_FALSE(fs::exists(d / "a.html"));
    EXPECT_EQ(d.Files(), Waiting(2));
    ASSERT_TRUE(w.Add(2, d / "c.html", "third", error));
    w.WaitForGroups();
    ASSERT_EQ(told.errors.size(), 3u);
    for (const auto& [book, errors] : told.errors) EXPECT_EQ(errors, std::vector<std::string>{""}) << book;
    EXPECT_EQ(Slurp(d / "a.html"), "first");
    EXPECT_EQ(Slurp(d / "c.html"), "third");
    EXPECT_EQ(d.Files(), 3u);  // no temporary file left

    // The rest goes when asked, once.
    ASSERT_TRUE(w.Add(3, d / "d.html", "fourth", error));
    w.WaitForGroups();
    EXPECT_EQ(told.errors.size(), 3u);
    w.Flush();
    w.Flush();
    ASSERT_EQ(told.errors.count(3), 1u);
    EXPECT_EQ(told.errors[3].size(), 1u);
    EXPECT_EQ(Slurp(d / "d.html"), "fourth");
}

TEST_P(GroupWriterTest, AGroupIsAlsoCompleteByItsBytes) {
    Scratch d;
    Told told;
    GroupWriter::Limits limits = Books(100);
    limits.bytes = 10;
    GroupWriter w(told.Hook(), limits);
    std::string error;
    ASSERT_TRUE(w.Add(0, d / "a", "123456789", error));  // 9 of 10 bytes
    EXPECT_TRUE(told.errors.empty());
    ASSERT_TRUE(w.Add(1, d / "b", "0", error));
    w.WaitForGroups();
    EXPECT_EQ(told.errors.size(), 2u);
}

TEST_P(GroupWriterTest, AGroupWhoseFirstBookHasWaitedLongEnoughIsWrittenWithoutAnotherBook) {
    Scratch d;
    Told told;
    GroupWriter::Limits limits = Books(100);
    limits.wait = std::chrono::milliseconds(20);
    GroupWriter w(told.Hook(), limits);
    std::string error;
    ASSERT_TRUE(w.Add(0, d / "a", "x", error));
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    w.WaitForGroups();  // due by now
    EXPECT_EQ(told.errors.count(0), 1u);
    EXPECT_EQ(Slurp(d / "a"), "x");
}

TEST_P(GroupWriterTest, BooksArrivingWhileTheWriterIsBusyMakeOneGroupPastTheLimit) {
    // A slow disk gets fewer, larger groups: the writer is held inside its
    // first group while five books arrive, and they go together.
    Scratch d;
    std::mutex lock;
    std::condition_variable changed;
    bool inFirst = false, release = false;
    std::map<size_t, size_t> filesWhenTold;
    GroupWriter w(
        [&](size_t book, const std::string&) {
            std::unique_lock<std::mutex> l(lock);
            filesWhenTold[book] = d.Files();
            if (book != 0) return;
            inFirst = true;
            changed.notify_all();
            changed.wait(l, [&] { return release; });
        },
        Books(2));
    std::string error;
    ASSERT_TRUE(w.Add(0, d / "b0", "x", error));
    ASSERT_TRUE(w.Add(1, d / "b1", "x", error));
    {
        std::unique_lock<std::mutex> l(lock);
        changed.wait(l, [&] { return inFirst; });
    }
    for (size_t i = 2; i < 7; ++i) ASSERT_TRUE(w.Add(i, d / ("b" + std::to_string(i)), "y", error));
    {
        std::lock_guard<std::mutex> l(lock);
        release = true;
    }
    changed.notify_all();
    w.Flush();
    ASSERT_EQ(filesWhenTold.size(), 7u);
    EXPECT_EQ(filesWhenTold[2], 7u);  // all five in place before the first of them is told
}

TEST_P(GroupWriterTest, TheDestructorWritesWhatIsLeft) {
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

TEST_P(GroupWriterTest, AReplacedFileKeepsItsModeAndOldContentsUntilItsGroupIsWritten) {
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

TEST_P(GroupWriterTest, FailuresStayWithTheirBooks) {
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
    w.WaitForGroups();
    ASSERT_EQ(told.errors.size(), 3u);
    EXPECT_EQ(told.errors[1], std::vector<std::string>{""});
    EXPECT_EQ(told.errors[3], std::vector<std::string>{""});
    ASSERT_EQ(told.errors[2].size(), 1u);
    EXPECT_NE(told.errors[2][0].find("taken.html"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(d / "taken.html"));
    EXPECT_EQ(Slurp(d / "c.html"), "c");
    EXPECT_EQ(d.Files(), 3u);  // a.html, c.html, the folder: no temporary file
}

TEST_P(GroupWriterTest, ALeftoverTemporaryNameIsNotReplaced) {
    // A program killed between linking and renaming leaves such a name.
    Scratch d;
    ASSERT_TRUE(WriteFileAtomic(d / "a.html", "old"));
    const std::string leftover = d / ("a.html.pmtmp-" + std::to_string(::getpid()) + "-0");
    ASSERT_TRUE(WriteFileAtomic(leftover, "leftover"));
    Told told;
    {
        GroupWriter w(told.Hook(), Books(1));
        std::string error;
        ASSERT_TRUE(w.Add(0, d / "a.html", "new", error));
    }
    EXPECT_EQ(told.errors[0], std::vector<std::string>{""});
    EXPECT_EQ(Slurp(d / "a.html"), "new");
    EXPECT_EQ(Slurp(leftover), "leftover");
    EXPECT_EQ(d.Files(), 2u);
}

TEST_P(GroupWriterTest, BooksOfTwoWorkersArriveOnceEachWhileTheWriterFallsBehind) {
    // Groups of one book: the workers hand over books faster than the
    // writer flushes them, and each arrives once, in a later group.
    Scratch d;
    std::mutex toldLock;
    std::map<size_t, int> arrived;
    {
        GroupWriter w(
            [&](size_t book, const std::string& error) {
                std::lock_guard<std::mutex> lock(toldLock);
                arrived[book] += error.empty() ? 1 : 100;
            },
            Books(1));
        auto worker = [&](size_t first) {
            std::string error;
            for (size_t i = first; i < 400; i += 2)
                ASSERT_TRUE(w.Add(i, d / ("b" + std::to_string(i)), std::to_string(i), error)) << error;
        };
        std::thread other(worker, 1);
        worker(0);
        other.join();
    }
    ASSERT_EQ(arrived.size(), 400u);
    for (const auto& [book, count] : arrived) EXPECT_EQ(count, 1) << book;
    EXPECT_EQ(Slurp(d / "b399"), "399");
    EXPECT_EQ(d.Files(), 400u);
}

TEST_P(GroupWriterTest, PastTheOpenFilesAllowedBooksWaitUnderTemporaryNames) {
    Scratch d;
    Told told;
    GroupWriter::Limits limits = Books(4);
    limits.unnamedOpen = 2;
    GroupWriter w(told.Hook(), limits);
    std::string error;
    for (size_t i = 0; i < 3; ++i) ASSERT_TRUE(w.Add(i, d / ("b" + std::to_string(i)), "x", error)) << error;
    // Two of three wait open without a name, the third under a name.
    EXPECT_EQ(d.Files(), GetParam() ? 1u : 3u);
    ASSERT_TRUE(w.Add(3, d / "b3", "y", error));
    w.WaitForGroups();
    EXPECT_EQ(told.errors.size(), 4u);
    EXPECT_EQ(d.Files(), 4u);
    EXPECT_EQ(Slurp(d / "b2"), "x");
    // The names given back free their places for the next group.
    for (size_t i = 4; i < 6; ++i) ASSERT_TRUE(w.Add(i, d / ("b" + std::to_string(i)), "z", error));
    EXPECT_EQ(d.Files(), 4u + (GetParam() ? 0u : 2u));
}

INSTANTIATE_TEST_SUITE_P(Waiting, GroupWriterTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "Unnamed" : "Named"; });

}  // namespace
}  // namespace pm::cli
