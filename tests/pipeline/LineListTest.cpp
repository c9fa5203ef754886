#include <gtest/gtest.h>

#include "pipeline/LineList.h"

namespace pm {
namespace {

TEST(LineList, SplitsAtEveryKindOfLineEnd) {
    LineList l = LineList::FromText("a\r\nb\rc\nd\r\n\r\n");
    ASSERT_EQ(l.Count(), 5u);
    EXPECT_EQ(l.Text(0), "a");
    EXPECT_EQ(l.Text(2), "c");
    EXPECT_EQ(l.Text(4), "");
    EXPECT_EQ(LineList::FromText("").Count(), 0u);
}

TEST(LineList, EditsAroundTheGapKeepOrderAndMarks) {
    LineList l;
    for (int i = 0; i < 100; ++i) l.Append(std::to_string(i), i % 2);
    l.Delete(50);
    l.Insert(10, "x", 100);
    l.Insert(0, "first");
    l.Append("last", 101);
    ASSERT_EQ(l.Count(), 102u);
    EXPECT_EQ(l.Text(0), "first");
    EXPECT_EQ(l.Text(11), "x");
    EXPECT_EQ(l.Mark(11), 100);
    EXPECT_EQ(l.Text(51), "49");
    EXPECT_EQ(l.Text(52), "51");
    EXPECT_EQ(l.Mark(52), 1);
    EXPECT_EQ(l.Text(101), "last");
    EXPECT_EQ(l.Join(",").substr(0, 10), "first,0,1,");
}

}  // namespace
}  // namespace pm
