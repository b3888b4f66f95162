// Vertical scroll bars of views: the bar's parts and what a press or the
// wheel does to the position, and in the pictures: a bar only where the
// content does not fit, its thumb where the position puts it, the rows
// shown from the top row on.
#include "toolkit/application.h"
#include "toolkit/graphics/painted_controls.h"
#include "toolkit/paint/render.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/testing/robot.h"
#include "toolkit/testing/sample_forms.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

TEST(ViewScrollBarTest, ThePositionStaysWhereTheLastPageIsFull) {
    TViewScrollBar bar;
    bar.SetRange(10, 4);
    EXPECT_TRUE(bar.Needed());
    EXPECT_TRUE(bar.SetPosition(9));
    EXPECT_EQ(bar.Position(), 6);
    EXPECT_FALSE(bar.ScrollBy(1));
    bar.SetPosition(-3);
    EXPECT_EQ(bar.Position(), 0);
    bar.SetPosition(5);
    bar.SetRange(6, 4); // fewer lines: the last page pulls the position back
    EXPECT_EQ(bar.Position(), 2);
    bar.SetRange(4, 4);
    EXPECT_FALSE(bar.Needed());
    EXPECT_EQ(bar.Position(), 0);
}

TEST(ViewScrollBarTest, TheThumbIsAsLongAsThePageIsOfTheWhole) {
    TViewScrollBar bar;
    bar.SetRange(10, 4);
    bar.SetRect({0, 0, 16, 100});
    EXPECT_EQ(bar.UpArrow(), (TRect{0, 0, 16, 16}));
    EXPECT_EQ(bar.DownArrow(), (TRect{0, 84, 16, 100}));
    EXPECT_EQ(bar.Track(), (TRect{0, 16, 16, 84}));
    EXPECT_EQ(bar.Thumb(), (TRect{0, 16, 16, 16 + 68 * 4 / 10}));
    bar.SetPosition(6);
    EXPECT_EQ(bar.Thumb().Bottom, 84);
    bar.SetPosition(3);
    EXPECT_EQ(bar.Thumb().Top, 16 + (68 - 27) * 3 / 6);
    bar.SetRange(1000, 4); // a thumb never gets too short to catch
    EXPECT_EQ(bar.Thumb().Height(), 8);
}

TEST(ViewScrollBarTest, ArrowsScrollALineTheTrackAPageTheWheelThreeLines) {
    struct Case {
        const char* what;
        int x;
        int y;
        bool onBar;
        int position;
    };
    // From position 3 of 20 lines, 5 a page, on a bar at x 100..116, y 0..100.
    for (Case c : {Case{"up arrow", 108, 5, true, 2}, Case{"down arrow", 108, 95, true, 4},
                   Case{"track above the thumb", 108, 17, true, 0},
                   Case{"track below the thumb", 108, 80, true, 8},
                   Case{"left of the bar", 99, 50, false, 3}}) {
        TViewScrollBar bar;
        bar.SetRange(20, 5);
        bar.SetRect({100, 0, 116, 100});
        bar.SetPosition(3);
        EXPECT_EQ(bar.Press(c.x, c.y), c.onBar) << c.what;
        EXPECT_EQ(bar.Position(), c.position) << c.what;
    }
    TViewScrollBar bar;
    bar.SetRange(20, 5);
    EXPECT_TRUE(bar.Wheel(-WHEEL_DELTA));
    EXPECT_EQ(bar.Position(), 3);
    bar.Wheel(2 * WHEEL_DELTA);
    EXPECT_EQ(bar.Position(), 0);
    bar.SetRange(5, 5);
    EXPECT_FALSE(bar.Wheel(-WHEEL_DELTA));
}

class ScrollBarsPaintTest : public testing::PaintedControlsTest {
protected:
    void SetUp() override {
        PaintedControlsTest::SetUp();
        Render();
    }
    // Where the painted thumb starts and ends: a raised face, whose white
    // top edge is a row the dithered track never has (two white pixels side
    // by side) and whose bottom edge is the only dark shadow in the track.
    std::pair<int, int> PaintedThumb(TWinControl& view) const {
        TRect track = view.VertScrollBar()->Track();
        int x = track.Left + track.Width() / 2;
        int top = -1;
        int bottom = -1;
        for (int y = track.Top; y < track.Bottom; ++y) {
            if (top < 0 && At(view, x, y) == clWhite && At(view, x + 1, y) == clWhite) {
                top = y - 1;
            }
            if (At(view, x, y) == ColorToRGB(cl3DDkShadow)) {
                bottom = y + 1;
            }
        }
        return {top, bottom};
    }

    TRobot robot;
};

TEST_F(ScrollBarsPaintTest, ABarShowsOnlyWhereTheContentDoesNotFit) {
    TListView& list = *form->lvOrders;
    TTreeView& tree = *form->tvItems;
    // Eight rows do not fit the list; the tree's four nodes fit.
    ASSERT_TRUE(list.VertScrollBar()->Needed());
    TRect bar = list.VertScrollBar()->Rect();
    EXPECT_EQ(bar.Width(), kScrollBarSize);
    EXPECT_EQ(bar.Right, list.GetWidth() - 2);
    EXPECT_EQ(bar.Top, 2);
    EXPECT_EQ(bar.Bottom, list.GetHeight() - 2);
    EXPECT_EQ(At(list, bar.Left + 2, bar.Top + 2), ColorToRGB(clBtnFace)); // the up arrow
    EXPECT_FALSE(tree.VertScrollBar()->Needed());
    EXPECT_TRUE(IsRectEmpty(tree.VertScrollBar()->Rect()));
    EXPECT_FALSE(
        Has(tree, {tree.GetWidth() - 18, 2, tree.GetWidth() - 2, tree.GetHeight() - 2}, clBtnFace));
    // The selected row's highlight stops where the bar starts.
    EXPECT_TRUE(Has(list, {bar.Left - 16, 2, bar.Left, bar.Bottom}, clHighlight));
    EXPECT_FALSE(Has(list, {bar.Left, 2, bar.Right, bar.Bottom}, clHighlight));

    // Nodes enough to overflow the tree give it a bar.
    TTreeNodes* nodes = tree.GetItems();
    TTreeNode* more = nodes->AddChild(nullptr, "more");
    for (int i = 0; i < 10; ++i) {
        nodes->AddChild(more, "node");
    }
    more->SetExpanded(true);
    Render();
    EXPECT_TRUE(tree.VertScrollBar()->Needed());
    TRect treeBar = tree.VertScrollBar()->Rect();
    EXPECT_EQ(At(tree, treeBar.Left + 2, treeBar.Top + 2), ColorToRGB(clBtnFace));
}

TEST_F(ScrollBarsPaintTest, TheWheelAndTheArrowsMoveTheTopRowAndTheThumb) {
    TListView& list = *form->lvOrders;
    TViewScrollBar& bar = *list.VertScrollBar();
    int page = bar.Page();
    ASSERT_GT(page, 0);
    ASSERT_LT(page, list.Items().Count());
    auto [top, bottom] = PaintedThumb(list);
    EXPECT_EQ(top, bar.Track().Top);
    EXPECT_EQ(bottom, bar.Thumb().Bottom);
    EXPECT_EQ(list.GetTopItem(), list.Items()[0]);
    TRect rows{4, 2 + 20, bar.Rect().Left, bar.Rect().Bottom};

    robot.Wheel(list, -1); // towards the user: down
    EXPECT_EQ(bar.Position(), list.Items().Count() - page);
    EXPECT_EQ(list.GetTopItem(), list.Items()[bar.Position()]);
    Render();
    std::tie(top, bottom) = PaintedThumb(list);
    EXPECT_EQ(bottom, bar.Track().Bottom);
    EXPECT_GT(top, bar.Track().Top);
    // The selected second row has scrolled out of view.
    EXPECT_FALSE(Has(list, rows, clHighlight));

    // A press on the up arrow is the view's own: one row up, no focus, no OnMouseDown.
    TRect up = bar.UpArrow();
    int before = bar.Position();
    robot.ClickAt(list, up.Left + 4, up.Top + 4);
    EXPECT_EQ(bar.Position(), before - 1);
    EXPECT_FALSE(list.Focused());
    // Above the thumb, the track goes a page up.
    robot.ClickAt(list, up.Left + 4, up.Bottom + 1);
    EXPECT_EQ(bar.Position(), 0);
    Render();
    EXPECT_TRUE(Has(list, rows, clHighlight));
    std::tie(top, bottom) = PaintedThumb(list);
    EXPECT_EQ(top, bar.Track().Top);
}

TEST_F(ScrollBarsPaintTest, KeyboardMovesBringTheFocusedRowOrNodeIntoView) {
    TListView& list = *form->lvOrders;
    TViewScrollBar& bar = *list.VertScrollBar();
    int page = bar.Page();
    robot.Focus(list);
    list.SetItemFocused(list.Items()[0]);
    for (int i = 1; i < page; ++i) {
        robot.Press(VK_DOWN);
    }
    EXPECT_EQ(bar.Position(), 0); // the last row of the page needs no scrolling
    robot.Press(VK_DOWN);
    EXPECT_EQ(bar.Position(), 1);
    EXPECT_EQ(list.GetTopItem(), list.Items()[1]);
    robot.Wheel(list, -1);
    int bottom = bar.Position();
    ASSERT_EQ(bottom, list.Items().Count() - page);
    // Up from the sixth row: rows still in view move no page.
    int focused = list.ItemFocused()->Index();
    while (focused > bottom) {
        robot.Press(VK_UP);
        focused = list.ItemFocused()->Index();
        EXPECT_EQ(bar.Position(), bottom);
    }
    robot.Press(VK_UP);
    EXPECT_EQ(bar.Position(), bottom - 1);

    TTreeView& tree = *form->tvItems;
    TTreeNodes* nodes = tree.GetItems();
    TTreeNode* more = nodes->AddChild(nullptr, "more");
    for (int i = 0; i < 10; ++i) {
        nodes->AddChild(more, "node");
    }
    more->SetExpanded(true);
    Render();
    robot.Focus(tree);
    robot.Press(VK_END);
    TViewScrollBar& treeBar = *tree.VertScrollBar();
    EXPECT_EQ(treeBar.Position(), treeBar.Count() - treeBar.Page());
    robot.Press(VK_HOME);
    EXPECT_EQ(treeBar.Position(), 0);
    EXPECT_EQ(tree.GetTopItem(), nodes->Item(0));
}

TEST_F(ScrollBarsPaintTest, MemosAndGridsScrollTheirLinesAndRows) {
    TMemo& memo = *form->mmNote;
    TStringGrid& grid = *form->sgStock;
    for (int i = 0; i < 20; ++i) {
        memo.GetLines()->Add("line");
    }
    grid.SetRowCount(30);
    Render();
    // A memo shows its bar only when its ScrollBars ask for one.
    EXPECT_TRUE(IsRectEmpty(memo.VertScrollBar()->Rect()));
    memo.SetScrollBars(ssVertical);
    Render();
    ASSERT_TRUE(memo.VertScrollBar()->Needed());
    EXPECT_EQ(memo.VertScrollBar()->Rect().Width(), kScrollBarSize);
    robot.Wheel(memo, -1);
    EXPECT_EQ(memo.VertScrollBar()->Position(), 3);

    // The grid's bar moves its top row.
    ASSERT_TRUE(grid.VertScrollBar()->Needed());
    EXPECT_EQ(grid.TopRow(), 1);
    robot.Wheel(grid, -2);
    EXPECT_EQ(grid.TopRow(), 7);
    TRect down = grid.VertScrollBar()->DownArrow();
    robot.ClickAt(grid, down.Left + 4, down.Top + 4);
    EXPECT_EQ(grid.TopRow(), 8);
    Render();
    auto [top, bottom] = PaintedThumb(grid);
    EXPECT_EQ(top, grid.VertScrollBar()->Thumb().Top);
    EXPECT_EQ(bottom, grid.VertScrollBar()->Thumb().Bottom);
    EXPECT_GT(top, grid.VertScrollBar()->Track().Top);
    // Moving the current cell below the page scrolls the bar with it.
    grid.SetTopRow(1);
    Render();
    EXPECT_EQ(grid.VertScrollBar()->Position(), 0);
}

} // namespace
} // namespace kvc
