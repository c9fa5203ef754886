#include <gtest/gtest.h>

#include "OutputHelpers.h"

namespace pm::test {
namespace {

struct Listener : HtmlViewEvents {
    std::vector<std::string> before, complete;
    bool cancel = false;
    void BeforeNavigate(const std::string& url, bool& c) override {
        before.push_back(url);
        c = cancel;
    }
    void DocumentComplete(const std::string& url) override { complete.push_back(url); }
};

TEST(HeadlessView, NavigationEventsAndCancel) {
    HeadlessHtmlView v;
    Listener l;
    v.SetEvents(&l);
    EXPECT_EQ(v.ReadyState(), "");
    v.Navigate("about:blank");
    EXPECT_EQ(v.ReadyState(), "complete");
    WaitUntilReady(v);  // returns at once
    l.cancel = true;
    v.Navigate("/elsewhere");
    EXPECT_EQ(l.before, (std::vector<std::string>{"about:blank", "/elsewhere"}));
    EXPECT_EQ(l.complete, (std::vector<std::string>{"about:blank"}));
    EXPECT_EQ(v.LocationUrl(), "about:blank");
}

TEST(HeadlessView, PageBodyAndHistory) {
    ScratchDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir / "a.html", "<html><head><title>A</title></head><body><a name=\"m1\">x</a> y</body></html>"));
    ASSERT_TRUE(WriteFileAtomic(dir / "b.html", "plain"));
    HeadlessHtmlView v;
    v.Navigate(dir / "a.html");
    EXPECT_EQ(v.LocationName(), "A");
    EXPECT_EQ(v.BodyOuterHtml(), "<body><a name=\"m1\">x</a> y</body>");
    EXPECT_EQ(v.BodyText(), "x y");
    EXPECT_TRUE(v.HasElement("m1"));
    EXPECT_FALSE(v.HasElement("m2"));
    v.Navigate("file://" + (dir / "b.html"));
    EXPECT_EQ(v.BodyOuterHtml(), "<body>plain</body>");
    v.GoBack();
    EXPECT_EQ(v.LocationUrl(), dir / "a.html");
    v.GoForward();
    v.GoForward();  // nothing further: ignored
    EXPECT_EQ(v.BodyText(), "plain");
}

}  // namespace
}  // namespace pm::test
