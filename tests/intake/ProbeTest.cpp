#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "intake/SourceFiles.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

// Two programs opening books of one folder at the same moment probe it at
// the same moment: a probe name the other one just took is no reason to
// call the folder read-only.
TEST(WritableProbe, ProbesOfOneFolderAtOnceAllSucceed) {
    char tmpl[] = "/tmp/pm-probe-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    const std::string book = std::string(tmpl) + "/book.txt";
    std::atomic<int> refused{0};
    std::vector<std::thread> probers;
    for (int t = 0; t < 4; ++t)
        probers.emplace_back([&] {
            for (int i = 0; i < 2000; ++i)
                if (!intake::ProbeWritable(book)) ++refused;
        });
    for (std::thread& t : probers) t.join();
    EXPECT_EQ(refused, 0);
    EXPECT_TRUE(fs::is_empty(tmpl));  // every probe deleted its file
    fs::remove_all(tmpl);
}

}  // namespace
}  // namespace pm
