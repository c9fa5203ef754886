#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "document/LineList.h"

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

// Walks forward and backward with inserts, deletes and rewrites in the
// pattern the stages use, checking every step against a plain vector.
TEST(LineList, RandomEditsMatchAPlainVector) {
    std::mt19937 rng(7);
    LineList l;
    std::vector<LineEntry> model;
    size_t pos = 0;
    for (int step = 0; step < 20000; ++step) {
        const unsigned op = rng() % 10;
        if (pos > model.size()) pos = model.size();
        const std::string text = "e" + std::to_string(step);
        if (op < 4) {
            const int mark = static_cast<int>(rng() % 2) * 100;
            l.Insert(pos, text, mark);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(pos), LineEntry{text, mark});
        } else if (op < 7 && !model.empty()) {
            const size_t at = pos < model.size() ? pos : model.size() - 1;
            l.Delete(at);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (op == 7 && pos < model.size()) {
            l.SetText(pos, text);
            l.SetMark(pos, 101);
            model[pos] = LineEntry{text, 101};
        } else if (op == 8) {
            pos += rng() % 5;
        } else {
            pos = model.empty() ? 0 : rng() % model.size();
        }
        if (step == 10000) {
            const LineList copy = l;  // a copy holds the same entries
            l = copy;
        }
        if (step % 997 == 0) l.ShrinkToFit();  // wherever the gap is just then
        if (step % 1499 == 0) l.Reserve(model.size() + rng() % 64);
        ASSERT_EQ(l.Count(), model.size()) << "step " << step;
    }
    for (size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(l.Text(i), model[i].text) << i;
        ASSERT_EQ(l.Mark(i), model[i].mark) << i;
    }
    l.Clear();
    EXPECT_TRUE(l.Empty());
    l.Append("again");
    EXPECT_EQ(l.Join(), "again");
}

// Deleted entries give their text back, and shrinking keeps room to grow.
TEST(LineList, ShrinkingAfterManyDeletesKeepsOrderAndMarks) {
    LineList l;
    l.Reserve(10);
    for (int i = 0; i < 50; ++i) l.Append(std::to_string(i), i);
    l.Insert(5, "mid", 700);  // the gap now sits in the middle
    for (int i = 0; i < 40; ++i) l.Delete(10);
    l.ShrinkToFit();
    ASSERT_EQ(l.Count(), 11u);
    EXPECT_EQ(l.Join(","), "0,1,2,3,4,mid,5,6,7,8,49");
    EXPECT_EQ(l.Mark(5), 700);
    EXPECT_EQ(l.Mark(10), 49);
    l.Insert(0, "front");
    l.Append("back", 9);
    EXPECT_EQ(l.Join(","), "front,0,1,2,3,4,mid,5,6,7,8,49,back");
    EXPECT_EQ(l.Mark(12), 9);
}

}  // namespace
}  // namespace pm
