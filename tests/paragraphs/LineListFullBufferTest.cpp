#include <gtest/gtest.h>

#include "document/LineList.h"

namespace pm {
namespace {

// Stages delete right after the list was filled to capacity (no gap left).
TEST(LineListFullBuffer, DeletingKeepsTheEntriesAfterIt) {
    LineList l;
    for (int i = 0; i < 16; ++i) l.Append(std::to_string(i));
    l.Delete(5);
    l.Delete(0);
    EXPECT_EQ(l.Join(","), "1,2,3,4,6,7,8,9,10,11,12,13,14,15");
}

}  // namespace
}  // namespace pm
