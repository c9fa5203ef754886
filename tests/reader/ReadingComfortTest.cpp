// The viewing controls of the reader: speed limits, text size levels,
// styles and their status line, and the full-screen hand-over of a book
// with its unsaved changes, over headless views.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/HeadlessHtmlView.h"
#include "platform/ScriptedQuestions.h"
#include "reader/ReaderDoc.h"
#include "reader/ReadingComfort.h"
#include "support/Files.h"
#include "support/TempFolder.h"

using namespace pm;
using namespace pm::reader;
using pm::test::Slurp;
namespace fs = std::filesystem;

namespace {

class Lines : public StatusSink {
public:
    std::vector<std::string> lines;
    int busy = 0;
    void Status(const std::string& t) override { lines.push_back(t); }
    void Progress(const std::string&) override {}
    void Busy(bool on) override { busy += on ? 1 : -1; }
};

}  // namespace

// The limits hold only on a change, and from both sides.
TEST(ScrollSpeed, ChangesStayWithinTenToAThousand) {
    EXPECT_EQ(ChangedScrollInterval(10, kFasterButtonStep), 10);
    EXPECT_EQ(ChangedScrollInterval(12, kFasterButtonStep), 10);
    EXPECT_EQ(ChangedScrollInterval(11, kFasterItemStep), 10);
    EXPECT_EQ(ChangedScrollInterval(13, kFasterButtonStep), 11);
    EXPECT_EQ(ChangedScrollInterval(1000, kSlowerButtonStep), 1000);
    EXPECT_EQ(ChangedScrollInterval(999, kSlowerItemStep), 1000);
    EXPECT_EQ(ChangedScrollInterval(997, kSlowerButtonStep), 999);
    EXPECT_EQ(ChangedScrollInterval(60, kFasterItemStep), 59);
    // A stored speed outside the limits is brought in by the first change.
    EXPECT_EQ(ChangedScrollInterval(5, kSlowerItemStep), 10);
    EXPECT_EQ(ChangedScrollInterval(5000, kFasterButtonStep), 1000);
    EXPECT_EQ(ChangedScrollInterval(INT32_MAX, kSlowerButtonStep), 1000);
    EXPECT_EQ(ChangedScrollInterval(INT32_MIN, kFasterButtonStep), 10);
    EXPECT_EQ(TimerInterval(5), 5);
    EXPECT_EQ(TimerInterval(0), 1);
}

TEST(ScrollSpeed, RateTextAndStep) {
    EXPECT_EQ(ScrollRateText(10), "100/sec");
    EXPECT_EQ(ScrollRateText(60), "16/sec");
    EXPECT_EQ(ScrollRateText(1000), "1/sec");
    EXPECT_EQ(ScrollRateText(1001), "0/sec");
    EXPECT_EQ(ScrollStepPixels(false), 1);
    EXPECT_EQ(ScrollStepPixels(true), 2);
}

TEST(TextSize, StepsStopAtTheEnds) {
    EXPECT_EQ(TextSizeLevel(4, kTextSizeLarger), 4);
    EXPECT_EQ(TextSizeLevel(3, kTextSizeLarger), 4);
    EXPECT_EQ(TextSizeLevel(0, kTextSizeSmaller), 0);
    EXPECT_EQ(TextSizeLevel(1, kTextSizeSmaller), 0);
    EXPECT_EQ(TextSizeLevel(2, kTextSizeSmaller), 1);
    for (int level = 0; level <= 4; ++level) EXPECT_EQ(TextSizeLevel(2, level), level);
}

TEST(Progress, PercentOfThePage) {
    EXPECT_EQ(ProgressPercent(0, 0), 0);
    EXPECT_EQ(ProgressPercent(500, 1000), 50);
    EXPECT_EQ(ProgressPercent(5, 1000), 1);  // half a percent rounds up
    EXPECT_EQ(ProgressPercent(4, 1000), 0);
}

TEST(Styles, ColourReadouts) {
    EXPECT_EQ(ColorReadout("", 0xFF0000), "#FF0000");
    EXPECT_EQ(ColorReadout("Red", 0xFF0000), "Red");
    EXPECT_EQ(ColorText(0x0A0B0C), "#0A0B0C");
    EXPECT_EQ(kStandardColors.front().name, "Black");
    EXPECT_EQ(kStandardColors.back().name, "White");
}

TEST(Styles, YellowStatusTextAndApplication) {
    Texts texts;
    const ReaderStyle yellow = BuiltInStyle(kBlackYellowStyle);
    EXPECT_EQ(ApplyStyleStatus(texts, yellow),
              "CurrentTask: Applying style [\"Verdana, , Yellow\" on \"Black\"]. Please wait, this may take a "
              "while...");
    EXPECT_EQ(BuiltInStyle(kBlackGreenStyle), (ReaderStyle{"Verdana", "", "Lime", "Black"}));

    HeadlessHtmlView view;
    Lines status;
    EXPECT_FALSE(ApplyReaderStyle(view, yellow, texts, status));  // no page
    view.Navigate("about:blank");
    EXPECT_FALSE(ApplyReaderStyle(view, ReaderStyle{}, texts, status));
    EXPECT_TRUE(status.lines.empty());
    view.SetBodyStyle(BodyStyleProperty::FontSize, "30pt");
    ASSERT_TRUE(ApplyReaderStyle(view, yellow, texts, status));
    EXPECT_EQ(view.BodyStyle(BodyStyleProperty::Color), "Yellow");
    EXPECT_EQ(view.BodyStyle(BodyStyleProperty::BackgroundColor), "Black");
    EXPECT_EQ(view.BodyStyle(BodyStyleProperty::FontFamily), "Verdana");
    EXPECT_EQ(view.BodyStyle(BodyStyleProperty::FontSize), "30pt");  // no size given, none set
    EXPECT_EQ(status.lines, (std::vector<std::string>{ApplyStyleStatus(texts, yellow), "Ready"}));
    EXPECT_EQ(status.busy, 0);
}

TEST(Styles, RememberedInTheFourSettings) {
    Settings s;
    EXPECT_TRUE(RememberedStyle(s).Empty());
    const ReaderStyle custom{"Arial", "12pt", "#FF0000", "White"};
    RememberStyle(s, custom);
    EXPECT_EQ(s.DefStyleFontName, "Arial");
    EXPECT_EQ(s.DefStyleFontSize, "12pt");
    EXPECT_EQ(s.DefStyleFontColor, "#FF0000");
    EXPECT_EQ(s.DefStyleBodyColor, "White");
    EXPECT_EQ(RememberedStyle(s), custom);
}

TEST(StatusLine, LinksIntoThePageShowTheTitle) {
    Texts texts;
    EXPECT_EQ(LinkStatusText("", "file:///b/x.html", "Book", texts), "Ready");
    EXPECT_EQ(LinkStatusText("file:///my books/x.html#ch2", "file:///my%20books/x.html", "Book", texts), "Book#ch2");
    EXPECT_EQ(LinkStatusText("file:///other.html#ch2", "file:///my%20books/x.html", "Book", texts),
              "file:///other.html#ch2");
    EXPECT_EQ(LinkStatusText("file:///a.html", "", "Book", texts), "file:///a.html");
}

TEST(HandOver, FileBesideTheBook) {
    EXPECT_EQ(HandOverFileName("/books/a.html", ""), "/books/~$$$Pellmark~tmp~~.html");
    EXPECT_EQ(HandOverFileName("/books/a.html", ".xml"), "/books/~$$$Pellmark~tmp~~.xml");
    EXPECT_DOUBLE_EQ(ScrollRatio(250, 1000), 0.25);
    EXPECT_EQ(ScrollRatio(10, 0), 0.0);
    EXPECT_EQ(PixelsAtRatio(0.25, 3001), 750);
}

namespace {

// A reader whose current view can change, as full screen changes it.
class TwoViews : public ReaderHost, public ReaderWindows, public HtmlViewEvents {
public:
    HeadlessHtmlView main, full;
    HtmlView* current = &main;
    ReaderDoc* doc = nullptr;

    HtmlView* CurrentView() override { return current; }
    int Mode() const override { return kReaderInterfaceMode; }
    void SwitchMode(int) override {}
    void OpenForEditing(const std::string&) override {}
    void BookmarksChanged() override {}
    void RecentBooksChanged() override {}
    void SetCaption(const std::string&) override {}
    std::optional<std::vector<std::string>> AskNote() override { return std::nullopt; }
    std::optional<std::string> AskBookmarkName(const std::string&) override { return std::nullopt; }
    std::optional<std::vector<Bookmark>> ManageBookmarks(const std::vector<Bookmark>&) override {
        return std::nullopt;
    }
    void BeforeNavigate(const std::string& url, bool& cancel) override { doc->BeforeNavigate(url, cancel); }
    void DocumentComplete(const std::string& url) override { doc->DocumentComplete(url); }
};

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.doc = &doc;
        for (HeadlessHtmlView* v : {&host.main, &host.full}) v->SetEvents(&host);
        host.main.scrollHeight = 4000;
        host.full.scrollHeight = 6000;
        doc.SettingsLoaded();
        doc.StartFinished();
        book = folder.Write("book.html", "<html><head><meta name=\"Generator\" content=\"Pellmark\"></head>"
                                         "<body><p>words</p></body></html>");
        ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, book));
    }

    pm::test::TempFolder folder{"pm-handover"};
    fs::path dir = folder.path();
    std::string book;
    Settings settings;
    Texts texts;
    InterfaceTexts uiTexts;
    Templates templates;
    ScriptedQuestions questions;
    Lines status;
    std::vector<std::string> temporary;
    TwoViews host;
    ReaderDoc doc{ReaderContext{settings, texts, uiTexts, templates, questions, status, nullptr, &temporary}, host,
                  host};
};

}  // namespace

// To full screen and back: the place is kept as a ratio, the unsaved
// changes travel in the file, which is gone afterwards, and stay pending;
// the book stays the book (a save writes it, the next start reopens it).
TEST_F(HandOverTest, ThereAndBackAgain) {
    host.main.ScrollTo(0, 1000);
    doc.MarkChanged();
    const std::optional<HandOver> out = doc.HandOverFrom(host.main);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->file, (dir / "~$$$Pellmark~tmp~~.html").string());
    EXPECT_DOUBLE_EQ(out->ratio, 0.25);
    EXPECT_EQ(temporary, std::vector<std::string>{out->file});
    EXPECT_NE(Slurp(out->file).find("<p>words</p><!-- Vorn's Pellmark bookmarks "), std::string::npos);

    host.current = &host.full;
    doc.TakeOver(host.full, *out);
    EXPECT_EQ(host.full.navigations.back(), out->file);
    EXPECT_EQ(host.full.scrollY, 1500);
    EXPECT_TRUE(doc.PendingChanges());
    EXPECT_FALSE(fs::exists(out->file));
    EXPECT_EQ(settings.LastReaderFile, book);
    EXPECT_EQ(doc.BookPath(), book);
    EXPECT_TRUE(questions.asked.empty());

    // And back: one entry in the list of temporary files.
    const std::optional<HandOver> back = doc.HandOverFrom(host.full);
    ASSERT_TRUE(back);
    host.current = &host.main;
    doc.TakeOver(host.main, *back);
    EXPECT_EQ(temporary.size(), 1u);
    EXPECT_EQ(host.main.scrollY, 1000);
    EXPECT_TRUE(doc.PendingChanges());
    // The view shows the copy; saving still writes the book.
    const std::string before = Slurp(book);
    ASSERT_TRUE(doc.SaveReaderDoc());
    EXPECT_NE(Slurp(book), before);
    EXPECT_NE(Slurp(book).find("<!-- Vorn's Pellmark position=\"536870912\" -->"), std::string::npos);
}

// Nothing is handed over without a book; a hand-over file that cannot be
// written is reported and nothing is loaded.
TEST_F(HandOverTest, NoBookOrNoFolder) {
    host.main.Navigate("about:blank");
    EXPECT_FALSE(doc.HandOverFrom(host.main));
    host.main.Navigate(book);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) {
        EXPECT_FALSE(doc.HandOverFrom(host.main));
        EXPECT_EQ(questions.CountAsked("message"), 1u);
    }
    fs::permissions(dir, fs::perms::owner_all);
}
