// "pellmark-cli --version" names the version the build was made with.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "common/Version.h"

namespace pm::test {
namespace {

TEST(VersionCliTest, PrintsTheBuildsVersion) {
    const CliResult r = RunCli("--version");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string("pellmark-cli ") + kProgramVersion + " (build " + kBuildNumber + ")\n");
    EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace pm::test
