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

// Writes path under a file size limit in a child; the error comes back.
Outcome WriteLimited(rlim_t limit, const std::string& path, const std::string& bytes) {
    return WithFileSizeLimit(limit, [&] {
        Outcome out;
        out.ok = WriteFileAtomic(path, bytes, &out.message);
        return out;
    });
}

TEST(AtomicWriteFaults, FullDiskKeepsTheOldFileAndSaysWhichAndWhy) {
    FaultDir dir;
    const std::string path = dir / "book.html";
    Spit(path, "old book");
    const Outcome out = WriteLimited(100, path, std::string(5000, 'n'));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Cannot write \"" + path + "\": File too large");
    EXPECT_EQ(Slurp(path), "old book");
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"book.html"}));
}

// The limit is a number of bytes: a file of exactly that size fits, one
// byte more does not.
TEST(AtomicWriteFaults, FileOfExactlyTheRoomLeftIsWrittenWhole) {
    FaultDir dir;
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

TEST(AtomicWriteFaults, RealNoSpaceLeftOnASmallFileSystem) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here; the file size limit stands in";
    const std::string path = disk / "book.html";
    Spit(path, "old book");
    disk.Fill();
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, std::string(64 * 1024, 'n'), &error));
    EXPECT_EQ(error, "Cannot write \"" + path + "\": No space left on device");
    EXPECT_EQ(Slurp(path), "old book");
    EXPECT_TRUE(TemporaryFilesIn(disk.path()).empty());
}

TEST(AtomicWriteFaults, ReadOnlyFileSystemStopsTheSuperuserToo) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string path = disk / "book.html";
    Spit(path, "old book");
    ASSERT_TRUE(disk.MakeReadOnly());
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, "new", &error));
    EXPECT_EQ(error, "Cannot create \"" + path + "\": Read-only file system");
    EXPECT_EQ(Slurp(path), "old book");
}

TEST(AtomicWriteFaults, FolderWithoutWritePermission) {
    if (RunningAsRoot()) GTEST_SKIP() << "the superuser writes into folders of mode 0555";
    FaultDir dir;
    const std::string path = dir / "book.html";
    Spit(path, "old book");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, "new", &error));
    EXPECT_EQ(error, "Cannot create \"" + path + "\": Permission denied");
    EXPECT_EQ(Slurp(path), "old book");
}

TEST(AtomicWriteFaults, FolderThatIsAFileOrIsGone) {
    FaultDir dir;
    std::string error;
    const std::string below = BelowAFile(dir.path(), "book.html");
    EXPECT_FALSE(WriteFileAtomic(below, "new", &error));
    EXPECT_EQ(error, "Cannot create \"" + below + "\": Not a directory");
    const std::string gone = dir / "gone/book.html";
    EXPECT_FALSE(WriteFileAtomic(gone, "new", &error));
    EXPECT_EQ(error, "Cannot create \"" + gone + "\": No such file or directory");
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"not-a-folder"}));
}

// A set of files is written whole before any old one is replaced.
TEST(AtomicWriteFaults, SetThatRunsOutOfRoomReplacesNothing) {
    FaultDir dir;
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

TEST(AtomicWriteFaults, SetDroppedUncommittedLeavesNoTemporaryFile) {
    FaultDir dir;
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
TEST(AtomicWriteFaults, FolderRemovedBeforeTheRename) {
    FaultDir dir;
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
