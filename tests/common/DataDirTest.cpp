#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/DataDir.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path path;
    explicit TempFolder(const std::string& name)
        : path(fs::temp_directory_path() / (name + "-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + std::to_string(reinterpret_cast<uintptr_t>(this)))) {
        fs::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

TEST(DataDir, InstalledFolderIsCompiledIn) {
    const std::string installed = InstalledDataDir();
    ASSERT_FALSE(installed.empty());
    EXPECT_TRUE(installed.ends_with("/pellmark")) << installed;
}

TEST(DataDir, SkinsBesideTheProgramWin) {
    TempFolder dir("pm-datadir-build");
    fs::create_directories(dir.path / "skins");
    EXPECT_EQ(SharedDataDir(dir.path.string()), dir.path.string());
}

TEST(DataDir, WithoutSkinsBesideTheProgramTheInstalledFolderServes) {
    TempFolder dir("pm-datadir-bin");
    std::error_code ec;
    const bool installed = fs::is_directory(fs::path(InstalledDataDir()) / "skins", ec);
    EXPECT_EQ(SharedDataDir(dir.path.string()), installed ? InstalledDataDir() : dir.path.string());
}

}  // namespace
}  // namespace pm
