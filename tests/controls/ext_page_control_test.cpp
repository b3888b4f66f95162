// TExtPageControl: tabs count the visible tabs only, in what they show and
// where they are; the caption look of the tabs; OnDrawTab in their place.
#include "controls/ext_page_control.h"
#include "toolkit/class_builder.h"
#include "toolkit/paint/render.h"
#include "toolkit/toolkit_fixture.h"

#include <gmock/gmock.h>

namespace kvc::controls {
namespace {

struct DrawnTab {
    int index;
    TRect rect;
    bool active;
    bool hasCanvas;
    bool operator==(const DrawnTab&) const = default;
};

class TfrmPagesHost : public TForm {
    KVC_CLASS(TfrmPagesHost, TForm)
public:
    std::vector<DrawnTab> drawn;
    void PagesDrawTab(TPageControl* control, int index, const TRect& rect, bool active) {
        auto* pages = static_cast<TExtPageControl*>(control);
        drawn.push_back({index, rect, active, pages->Canvas() != nullptr});
        pages->Canvas()->Brush.Color = clRed;
        pages->Canvas()->FillRect(rect);
    }
};

} // namespace

KVC_REGISTER_CLASS(TfrmPagesHost) {
    KVC_METHOD(PagesDrawTab);
}

namespace {

class ExtPageControlTest : public test::ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmPagesHost>();
        form->SetBounds(0, 0, 640, 480);
        form->Show();
    }
    // A page control at top with pages of these captions.
    TExtPageControl* NewPages(int top, std::initializer_list<const char*> captions) {
        auto* pages = Create<TExtPageControl>(form);
        pages->SetParent(form);
        pages->SetBounds(10, top, 400, 120);
        for (const char* caption : captions) {
            auto* page = Create<TTabSheet>(form);
            page->SetPageControl(pages);
            page->SetCaption(caption);
        }
        pages->SetActivePageIndex(0);
        return pages;
    }
    // The colour at a point of the control, in its coordinates.
    TColor At(const TBitmap& b, const TControl& control, int x, int y) const {
        TPoint origin = ClientOrigin(*form);
        return TColor(b.Pixel(origin.X + control.GetLeft() + x, origin.Y + control.GetTop() + y) &
                      0xFFFFFF);
    }
    TfrmPagesHost* form = nullptr;
};

TEST_F(ExtPageControlTest, ATabStandsForTheVisibleTabsPageOfItsIndex) {
    struct Case {
        std::vector<int> hidden;
        std::vector<const char*> tabs; // the caption of each tab's page
    } cases[] = {
        {{}, {"基本", "排程", "其他", "说明"}},
        {{1}, {"基本", "其他", "说明"}},
        {{0, 2}, {"排程", "说明"}},
        {{3}, {"基本", "排程", "其他"}},
        {{0, 1, 2, 3}, {}},
    };
    for (const Case& c : cases) {
        auto* pages = NewPages(10, {"基本", "排程", "其他", "说明"});
        for (int i : c.hidden) {
            pages->Pages(i)->SetTabVisible(false);
        }
        for (int t = 0; t < int(c.tabs.size()); ++t) {
            ASSERT_NE(pages->PageForTab(t), nullptr) << t;
            EXPECT_EQ(pages->PageForTab(t)->GetCaption(), c.tabs[std::size_t(t)]) << t;
        }
        EXPECT_EQ(pages->PageForTab(int(c.tabs.size())), nullptr);
        EXPECT_EQ(pages->PageForTab(-1), nullptr);
        EXPECT_EQ(pages->TabRects().size(), c.tabs.size());
        pages->Free();
    }
}

TEST_F(ExtPageControlTest, AHiddenTabIsDrawnAsIfItsPageWereNotThere) {
    auto* hidden = NewPages(10, {"基本", "排程设置", "其他"});
    hidden->Pages(1)->SetTabVisible(false);
    auto* without = NewPages(150, {"基本", "其他"});
    auto* shown = NewPages(290, {"基本", "排程设置", "其他"});
    auto b = RenderToBitmap(*form);

    std::vector<TRect> tabs = hidden->TabRects();
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs, without->TabRects());
    bool differsFromShown = false;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < tabs[1].Right + 2; ++x) {
            ASSERT_EQ(At(*b, *hidden, x, y), At(*b, *without, x, y)) << x << "," << y;
            differsFromShown |= At(*b, *hidden, x, y) != At(*b, *shown, x, y);
        }
    }
    EXPECT_TRUE(differsFromShown) << "the second tab shows the third page's caption";
}

TEST_F(ExtPageControlTest, TabsAreInTheCaptionColoursTheActiveOneRaised) {
    auto* pages = NewPages(10, {"基本", "排程", "其他"});
    pages->SetActivePageIndex(1);
    auto b = RenderToBitmap(*form);
    std::vector<TRect> tabs = pages->TabRects();
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_EQ(At(*b, *pages, tabs[0].Left + 2, tabs[0].Top + 2), ColorToRGB(clInactiveCaption));
    EXPECT_EQ(At(*b, *pages, tabs[2].Right - 4, tabs[2].Bottom - 2), ColorToRGB(clInactiveCaption));
    EXPECT_EQ(At(*b, *pages, tabs[1].Left + 2, tabs[1].Top + 2), ColorToRGB(clActiveCaption));
    EXPECT_EQ(At(*b, *pages, tabs[1].Left - 2, tabs[1].Top + 4), ColorToRGB(clBtnHighlight))
        << "the active tab's raised edge";
}

TEST_F(ExtPageControlTest, OnDrawTabDrawsEachVisibleTabInstead) {
    auto* pages = NewPages(10, {"基本", "排程", "其他"});
    pages->Pages(0)->SetTabVisible(false);
    pages->SetActivePageIndex(2);
    pages->OnDrawTab = TDrawTabEvent::Bind<&TfrmPagesHost::PagesDrawTab>(form);
    auto b = RenderToBitmap(*form);
    std::vector<TRect> tabs = pages->TabRects();
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_THAT(form->drawn,
                ::testing::ElementsAre(
                    DrawnTab{0, TExtPageControl::TabItemRect(tabs[0], false), false, true},
                    DrawnTab{1, TExtPageControl::TabItemRect(tabs[1], true), true, true}));
    EXPECT_EQ(At(*b, *pages, tabs[0].Left + 3, tabs[0].Top + 5), ColorToRGB(clRed));
    EXPECT_EQ(pages->Canvas(), nullptr) << "only while painting";
}

} // namespace
} // namespace kvc::controls
