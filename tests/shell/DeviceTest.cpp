// Sending a book to an e-book reader: finding the reader among the mounted
// volumes, choosing the target, and copying the book's files.
#include <gtest/gtest.h>

#include "ShellSupport.h"
#include "shell/Device.h"

namespace pm::shell {
namespace {

namespace fs = std::filesystem;
using pm::test::Slurp;
using pm::test::Spit;
using pm::test::TempFolder;
using Words = std::vector<std::string>;

TEST(MountListTest, FieldsAndEscapes) {
    const std::vector<Mount> mounts = ParseMountList(
        "proc /proc proc rw 0 0\n"
        "/dev/sdb1 /media/u/KOBO\\040eReader vfat rw,nosuid 0 0\n"
        "/dev/sdc1 /media/u/back\\134slash\\011tab exfat rw 0 0\n"
        "/dev/sdd1 /media/u/not\\08octal\\04 vfat rw 0 0\n"
        "broken-line\n"
        "\n");
    ASSERT_EQ(mounts.size(), 4u);
    EXPECT_EQ(mounts[0].folder, "/proc");
    EXPECT_EQ(mounts[1].source, "/dev/sdb1");
    EXPECT_EQ(mounts[1].folder, "/media/u/KOBO eReader");
    EXPECT_EQ(mounts[1].type, "vfat");
    EXPECT_EQ(mounts[2].folder, "/media/u/back\\slash\ttab");
    // Not three octal digits: left as written.
    EXPECT_EQ(mounts[3].folder, "/media/u/not\\08octal\\04");
}

class ReaderFoldersTest : public ::testing::Test {
protected:
    // A volume under the removable root, with the given entries (names
    // ending in "/" are folders).
    std::string Volume(const std::string& name, const Words& entries, const fs::path& under = {}) {
        const fs::path top = (under.empty() ? media.Path() : under) / name;
        fs::create_directories(top);
        for (const std::string& e : entries) {
            if (e.back() == '/') fs::create_directories(top / e);
            else Spit(top / e, "");
        }
        mounts.push_back({"/dev/sd" + name, top.string(), "vfat"});
        return top.string();
    }
    Words Found() const { return ReaderFolders(mounts, {media.Path().string()}); }

    TempFolder media, elsewhere;
    std::vector<Mount> mounts;
};

TEST_F(ReaderFoldersTest, ReadersAreKnownByTheirMarks) {
    const std::string kobo = Volume("kobo", {".kobo/"});
    const std::string calibre = Volume("any", {"metadata.calibre"});
    const std::string adobe = Volume("sony", {"Digital Editions/"});
    Volume("stick", {"photos/", "notes.txt"});
    EXPECT_EQ(Found(), (Words{kobo, calibre, adobe}));
}

TEST_F(ReaderFoldersTest, AKindleNeedsBothFoldersAndTakesBooksInDocuments) {
    Volume("docs-only", {"documents/"});
    Volume("system-only", {"system/"});
    const std::string kindle = Volume("kindle", {"documents/", "system/"});
    EXPECT_EQ(Found(), Words{kindle + "/documents"});
}

TEST_F(ReaderFoldersTest, OnlyVolumesBelowTheRemovableRoots) {
    Volume("fixed", {".kobo/"}, elsewhere.Path());
    EXPECT_EQ(Found(), Words{});
    // The root itself is no removable volume, even when it looks like one.
    fs::create_directories(media.Path() / ".kobo");
    mounts.push_back({"/dev/sdx", media.Path().string(), "vfat"});
    EXPECT_EQ(Found(), Words{});
    // A root given with its trailing slash is the same root.
    const std::string kobo = Volume("kobo", {".kobo/"});
    EXPECT_EQ(ReaderFolders(mounts, {media.Path().string() + "/"}), Words{kobo});
    // A sibling folder whose name merely starts like the root is not below it.
    const fs::path sibling = media.Path().string() + "-other";
    fs::create_directories(sibling / ".kobo");
    mounts.push_back({"/dev/sdy", (sibling / "x").string(), "vfat"});
    fs::create_directories(sibling / "x" / ".kobo");
    EXPECT_EQ(Found(), Words{kobo});
    fs::remove_all(sibling);
}

TEST(DeviceTargetTest, StoredFolderThenCommandThenDetectedReader) {
    TempFolder dir;
    ConfigTree tree;
    EXPECT_EQ(FindDeviceTarget(tree, {}).kind, DeviceTarget::Kind::None);

    DeviceTarget t = FindDeviceTarget(tree, {"/media/u/KOBO", "/media/u/KINDLE/documents"});
    EXPECT_EQ(t.kind, DeviceTarget::Kind::Folder);
    EXPECT_EQ(t.folder, "/media/u/KOBO");
    EXPECT_TRUE(t.detected);

    ASSERT_TRUE(StoreDeviceCommand(tree, "ebook-send --to reader"));
    t = FindDeviceTarget(tree, {"/media/u/KOBO"});
    EXPECT_EQ(t.kind, DeviceTarget::Kind::Command);
    EXPECT_EQ(t.command, "ebook-send --to reader");

    // A stored folder that is not there (the reader is unplugged) gives way.
    ASSERT_TRUE(StoreDeviceFolder(tree, dir / "gone"));
    EXPECT_EQ(FindDeviceTarget(tree, {}).kind, DeviceTarget::Kind::Command);
    const std::string chosen = dir / "\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8";  // "Книги"
    fs::create_directories(chosen);
    ASSERT_TRUE(StoreDeviceFolder(tree, chosen));
    t = FindDeviceTarget(tree, {"/media/u/KOBO"});
    EXPECT_EQ(t.kind, DeviceTarget::Kind::Folder);
    EXPECT_EQ(t.folder, chosen);
    EXPECT_FALSE(t.detected);

    // Forgetting both leaves the detected reader, then nothing.
    ASSERT_TRUE(StoreDeviceFolder(tree, ""));
    ASSERT_TRUE(StoreDeviceCommand(tree, ""));
    ASSERT_TRUE(StoreDeviceCommand(tree, ""));  // forgetting twice is fine
    EXPECT_EQ(FindDeviceTarget(tree, {"/media/u/KOBO"}).folder, "/media/u/KOBO");
    EXPECT_EQ(FindDeviceTarget(tree, {}).kind, DeviceTarget::Kind::None);
}

TEST(BookFilesTest, WholeBookIsThePreviewNamedAfterTheSource) {
    OutputFiles files;
    files.sourcePath = "/home/u/war.and.peace.txt";
    files.previewFile = "/home/u/$~$~tmp_war.and.peace.txt.html";
    const std::vector<BookFile> book = BookFilesOf(files, ".html");
    ASSERT_EQ(book.size(), 1u);
    EXPECT_EQ(book[0].path, files.previewFile);
    EXPECT_EQ(book[0].name, "war.and.peace.html");
    files.sourcePath.clear();
    EXPECT_EQ(BookFilesOf(files, ".htm")[0].name, "book.htm");
    files.previewFile.clear();
    EXPECT_TRUE(BookFilesOf(files, ".html").empty());
}

TEST(BookFilesTest, SplitBookIsItsPartsAndIndex) {
    OutputFiles files;
    files.previewFile = "/tmp/PLMK_war__index.html";
    files.partFiles = {"/tmp/PLMK_war_001.html", "/tmp/PLMK_war_002.html", "/tmp/PLMK_war__index.html"};
    const std::vector<BookFile> book = BookFilesOf(files, ".html");
    ASSERT_EQ(book.size(), 3u);
    EXPECT_EQ(book[0].name, "PLMK_war_001.html");
    EXPECT_EQ(book[2].path, "/tmp/PLMK_war__index.html");
    // Parts of an earlier split, with another book in the preview now.
    files.previewFile = "/tmp/$~$~tmp_other.txt.html";
    files.sourcePath = "/tmp/other.txt";
    ASSERT_EQ(BookFilesOf(files, ".html").size(), 1u);
    EXPECT_EQ(BookFilesOf(files, ".html")[0].name, "other.html");
}

TEST(SendBookTest, ASplitBookGoesToTheFolderTarget) {
    TempFolder work, reader;
    OutputFiles files;
    for (const std::string name : {"PLMK_war_001.html", "PLMK_war_002.html", "PLMK_war__index.html"}) {
        files.partFiles.push_back(work / name);
        Spit(files.partFiles.back(), "<html>" + name + "</html>");
    }
    files.previewFile = files.partFiles.back();
    Spit(reader / "PLMK_war_002.html", "an older copy");
    const SendReport report = CopyBookToFolder(BookFilesOf(files, ".html"), reader.Path().string());
    EXPECT_TRUE(report.Ok()) << report.error;
    EXPECT_EQ(report.copied, (Words{"PLMK_war_001.html", "PLMK_war_002.html", "PLMK_war__index.html"}));
    for (const std::string& name : report.copied) EXPECT_EQ(Slurp(reader / name), "<html>" + name + "</html>");
    size_t count = 0;
    for ([[maybe_unused]] const auto& f : fs::directory_iterator(reader.Path())) ++count;
    EXPECT_EQ(count, 3u);  // no temporary file left behind
}

TEST(SendBookTest, AFailureStopsAndTellsWhatWasCopied) {
    TempFolder work, reader;
    const std::vector<BookFile> book = {{work / "a.html", "a.html"}, {work / "missing.html", "b.html"},
                                        {work / "c.html", "c.html"}};
    Spit(work / "a.html", "a");
    Spit(work / "c.html", "c");
    SendReport report = CopyBookToFolder(book, reader.Path().string());
    EXPECT_FALSE(report.Ok());
    EXPECT_NE(report.error.find("missing.html"), std::string::npos);
    EXPECT_EQ(report.copied, Words{"a.html"});
    EXPECT_FALSE(fs::exists(reader / "c.html"));
    // A target folder that went away.
    report = CopyBookToFolder({book[0]}, reader / "unplugged");
    EXPECT_FALSE(report.Ok());
    EXPECT_TRUE(report.copied.empty());
}

TEST(SendBookTest, TheCommandTargetGetsItsArgumentsThenTheFiles) {
    DocValues doc;
    doc.title = "War; and Peace";
    const std::vector<BookFile> book = {{"/tmp/a b.html", "a b.html"}, {"/tmp/c.html", "c.html"}};
    const ToolLaunch launch = DeviceCommand("\"/opt/my sender\" --title %longtitle%", book, doc, "/tmp/a b.html");
    EXPECT_EQ(launch.program, "/opt/my sender");
    EXPECT_EQ(launch.args, (Words{"--title", "War; and Peace", "/tmp/a b.html", "/tmp/c.html"}));
    EXPECT_EQ(DeviceCommand("  ", book, doc, "").program, "");
}

}  // namespace
}  // namespace pm::shell
