// The atomic write every writer of the program goes through, under a full
// disk, a read-only folder and a folder removed between writing and
// renaming: the old file stays, no temporary file stays, and the one error
// sentence names the file and the system's reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/AtomicFile.h"
#include "support/Faults.h"
#include "support/Files.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

// A folder of the case's own; the cases that write one file write it over
// an old book.
class AtomicWriteFaults : public ::testing::Test {
protected:
    FaultDir dir;

    // "old book" as book.html in folder; its path.
    static std::string OldBook(const fs::path& folder) {
        const std::string path = (folder / "book.html").string();
        Spit(path, "old book");
        return path;
    }
    static Outcome Write(const std::string& path, const std::string& bytes) {
        Outcome out;
        out.ok = WriteFileAtomic(path, bytes, &out.message);
        return out;
    }
    // Writes path under a file size limit in a child; the error comes back.
    static Outcome WriteLimited(rlim_t limit, const std::string& path, const std::string& bytes) {
        return WithFileSizeLimit(limit, [&] { return Write(path, bytes); });
    }
    // The write failed with message and the old book is still there.
    static void ExpectOldBookKept(const Outcome& out, const std::string& path, const std::string& message) {
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.message, message);
        EXPECT_EQ(Slurp(path), "old book");
    }
};

TEST_F(AtomicWriteFaults, FullDiskKeepsTheOldFileAndSaysWhichAndWhy) {
    const std::string path = OldBook(dir.path());
    ExpectOldBookKept(WriteLimited(100, path, std::string(5000, 'n')), path,
                      "Cannot write \"" + path + "\": File too large");
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"book.html"}));
}

// The limit is a number of bytes: a file of exactly that size fits, one
// byte more does not.
TEST_F(AtomicWriteFaults, FileOfExactlyTheRoomLeftIsWrittenWhole) {
    const std::string path = dir / "part.html";
    const std::string bytes(3 * 4096 + 17, 'p');
    Spit(path, "old");
    EXPECT_TRUE(WriteLimited(bytes.size(), path, bytes).ok);
    EXPECT_EQ(Slurp(path), bytes);
    Spit(path, "old");
    EXPECT_FALSE(WriteLimited(bytes.size() - 1, path, bytes).ok);
    EXPECT_EQ(Slurp(path), "old");
    EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());
}

TEST_F(AtomicWriteFaults, RealNoSpaceLeftOnASmallFileSystem) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here; the file size limit stands in";
    const std::string path = OldBook(disk.path());
    disk.Fill();
    ExpectOldBookKept(Write(path, std::string(64 * 1024, 'n')), path,
                      "Cannot write \"" + path + "\": No space left on device");
    EXPECT_TRUE(TemporaryFilesIn(disk.path()).empty());
}

TEST_F(AtomicWriteFaults, ReadOnlyFileSystemStopsTheSuperuserToo) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string path = OldBook(disk.path());
    ASSERT_TRUE(disk.MakeReadOnly());
    ExpectOldBookKept(Write(path, "new"), path, "Cannot create \"" + path + "\": Read-only file system");
}

TEST_F(AtomicWriteFaults, FolderWithoutWritePermission) {
    if (RunningAsRoot()) GTEST_SKIP() << "the superuser writes into folders of mode 0555";
    const std::string path = OldBook(dir.path());
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    ExpectOldBookKept(Write(path, "new"), path, "Cannot create \"" + path + "\": Permission denied");
}

TEST_F(AtomicWriteFaults, FolderThatIsAFileOrIsGone) {
    const std::string below = BelowAFile(dir.path(), "book.html");
    Outcome out = Write(below, "new");
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Cannot create \"" + below + "\": Not a directory");
    const std::string gone = dir / "gone/book.html";
    out = Write(gone, "new");
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Cannot create \"" + gone + "\": No such file or directory");
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"not-a-folder"}));
}

// A set of files is written whole before any old one is replaced.
TEST_F(AtomicWriteFaults, SetThatRunsOutOfRoomReplacesNothing) {
    for (const char* name : {"a.html", "b.html", "c.html"}) Spit(dir / name, std::string("old ") + name);
    const Outcome out = WithFileSizeLimit(1000, [&] {
        Outcome o;
        AtomicFileSet set;
        o.ok = set.Add(dir / "a.html", std::string(900, 'a'), &o.message) &&
               set.Add(dir / "b.html", std::string(1001, 'b'), &o.message) &&
               set.Add(dir / "c.html", "c", &o.message) && set.Commit(&o.message);
        return o;
    });
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Cannot write \"" + (dir / "b.html") + "\": File too large");
    for (const char* name : {"a.html", "b.html", "c.html"}) EXPECT_EQ(Slurp(dir / name), std::string("old ") + name);
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"a.html", "b.html", "c.html"}));
}

TEST_F(AtomicWriteFaults, SetDroppedUncommittedLeavesNoTemporaryFile) {
    Spit(dir / "a.html", "old");
    {
        AtomicFileSet set;
        ASSERT_TRUE(set.Add(dir / "a.html", "new"));
        EXPECT_EQ(TemporaryFilesIn(dir.path()).size(), 1u);
    }
    EXPECT_EQ(Slurp(dir / "a.html"), "old");
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"a.html"}));
}

// The folder removed after the files were written and before they are
// renamed: the rename fails with the file's name, and the files of the set
// still waiting are removed.
TEST_F(AtomicWriteFaults, FolderRemovedBeforeTheRename) {
    fs::create_directory(dir / "keep");
    fs::create_directory(dir / "goes");
    Spit(dir / "keep/x.html", "old x");
    Spit(dir / "keep/z.html", "old z");
    AtomicFileSet set;
    ASSERT_TRUE(set.Add(dir / "keep/x.html", "new x"));
    ASSERT_TRUE(set.Add(dir / "goes/y.html", "new y"));
    ASSERT_TRUE(set.Add(dir / "keep/z.html", "new z"));
    fs::remove_all(dir / "goes");
    std::string error;
    EXPECT_FALSE(set.Commit(&error));
    EXPECT_EQ(error, "Cannot write \"" + (dir / "goes/y.html") + "\": No such file or directory");
    EXPECT_EQ(Slurp(dir / "keep/x.html"), "new x");  // renamed before the failure
    EXPECT_EQ(Slurp(dir / "keep/z.html"), "old z");
    EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());
}

}  // namespace
}  // namespace pm::test
