#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/LineList.h"

namespace pm {
namespace {

// Stages delete and insert right after the list was filled to capacity
// (when the gap is empty); a vector is the model.
TEST(LineListFullBuffer, EditsMatchAVector) {
    for (int n : {1, 16, 17, 40}) {
        LineList l;
        std::vector<std::string> model;
        for (int i = 0; i < n; ++i) {
            l.Append(std::to_string(i));
            model.push_back(std::to_string(i));
        }
        for (size_t at : {size_t{0}, model.size() / 2, model.size() - 1}) {
            if (at >= model.size()) continue;
            l.Delete(at);
            model.erase(model.begin() + static_cast<long>(at));
            for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(l.Text(i), model[i]) << n << " " << at;
            l.Insert(at, "x" + std::to_string(at));
            model.insert(model.begin() + static_cast<long>(at), "x" + std::to_string(at));
        }
        ASSERT_EQ(l.Count(), model.size());
        for (size_t i = 0; i < model.size(); ++i) EXPECT_EQ(l.Text(i), model[i]) << n;
    }
}

}  // namespace
}  // namespace pm
