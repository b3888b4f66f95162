// The string grid as a user drives it: moving with the keys, OnSelectCell
// refusing a cell, and the in-place editor writing into the cells.
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/form.h"
#include "toolkit/grids.h"
#include "toolkit/screen.h"
#include "toolkit/testing/robot.h"

#include <gtest/gtest.h>

namespace kvc::test {
namespace {

class TfrmGrid : public TForm {
    KVC_CLASS(TfrmGrid, TForm)
public:
    TStringGrid* grid = nullptr;
    TEdit* after = nullptr;
    std::vector<std::string> log;
    int refusedCol = -1;

    void AfterConstruction() override {
        TForm::AfterConstruction();
        SetBounds(0, 0, 400, 300);
        grid = Create<TStringGrid>(this);
        grid->SetParent(this);
        grid->SetBounds(0, 0, 300, 200);
        grid->SetColCount(3);
        grid->SetRowCount(3);
        grid->SetTabOrder(0);
        grid->OnSelectCell = TSelectCellEvent::Bind<&TfrmGrid::GridSelectCell>(this);
        grid->OnSetEditText = TSetEditEvent::Bind<&TfrmGrid::GridSetEditText>(this);
        after = Create<TEdit>(this);
        after->SetParent(this);
        after->SetTop(220);
        after->SetTabOrder(1);
    }
    void GridSelectCell(TObject*, int col, int row, bool& allow) {
        log.push_back("select " + std::to_string(col) + "," + std::to_string(row));
        allow = col != refusedCol;
    }
    void GridSetEditText(TObject*, int col, int row, const std::string& text) {
        log.push_back("set " + std::to_string(col) + "," + std::to_string(row) + "=" + text);
    }
};

KVC_REGISTER_CLASS(TfrmGrid) {
    KVC_METHOD(GridSelectCell);
    KVC_METHOD(GridSetEditText);
}

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = Create<TfrmGrid>(&Application());
        form->Show();
        robot.Focus(*form->grid);
    }
    void TearDown() override {
        form->Free();
        Application().ProcessMessages();
    }
    TRobot robot;
    TfrmGrid* form = nullptr;
};

struct MoveCase {
    const char* name;
    TGridOptions options;
    int startCol, startRow;
    Word key;
    TShiftState shift;
    int col, row;
};

class GridKeys : public GridTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(GridKeys, MoveTheCurrentCell) {
    const MoveCase& c = GetParam();
    form->grid->SetOptions(form->grid->GetOptions() + c.options);
    form->grid->FocusCell(c.startCol, c.startRow);
    robot.Press(c.key, c.shift);
    EXPECT_EQ(form->grid->GetCol(), c.col);
    EXPECT_EQ(form->grid->GetRow(), c.row);
    EXPECT_EQ(Screen().ActiveControl(), form->grid) << "the grid keeps the focus";
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridKeys,
    ::testing::Values(MoveCase{"Down", {}, 1, 1, VK_DOWN, {}, 1, 2},
                      MoveCase{"DownAtLastRowStays", {}, 1, 2, VK_DOWN, {}, 1, 2},
                      MoveCase{"UpStopsAtFixedRow", {}, 2, 1, VK_UP, {}, 2, 1},
                      MoveCase{"Right", {}, 1, 1, VK_RIGHT, {}, 2, 1},
                      MoveCase{"LeftStopsAtFixedCol", {}, 1, 2, VK_LEFT, {}, 1, 2},
                      MoveCase{"RightIgnoredInRowSelect", {goRowSelect}, 1, 1, VK_RIGHT, {}, 1, 1},
                      MoveCase{"TabNextCol", {goTabs}, 1, 1, VK_TAB, {}, 2, 1},
                      MoveCase{"TabWrapsToNextRow", {goTabs}, 2, 1, VK_TAB, {}, 1, 2},
                      MoveCase{"TabWrapsToFirstCell", {goTabs}, 2, 2, VK_TAB, {}, 1, 1},
                      MoveCase{"ShiftTabBack", {goTabs}, 1, 2, VK_TAB, {ssShift}, 2, 1},
                      MoveCase{"CtrlHomeFirstRow", {}, 2, 2, VK_HOME, {ssCtrl}, 2, 1},
                      MoveCase{"EndLastCol", {}, 1, 2, VK_END, {}, 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, TabWithoutGoTabsLeavesTheGrid) {
    robot.Press(VK_TAB);
    EXPECT_EQ(Screen().ActiveControl(), form->after);
}

TEST_F(GridTest, SelectCellCanRefuse) {
    form->refusedCol = 2;
    robot.Press(VK_RIGHT);
    EXPECT_EQ(form->grid->GetCol(), 1);
    EXPECT_EQ(form->log.back(), "select 2,1");
    EXPECT_FALSE(form->grid->FocusCell(2, 2));
    EXPECT_THROW(form->grid->FocusCell(0, 1), EInvalidOperation) << "a fixed cell";
    EXPECT_THROW(form->grid->SetRow(3), EInvalidOperation);
}

TEST_F(GridTest, EditorWritesEachChangeAndEnterToggles) {
    form->grid->SetOptions(form->grid->GetOptions() + TGridOptions{goEditing});
    form->grid->SetCells(1, 1, "old");
    robot.Type("ab");
    ASSERT_TRUE(form->grid->GetEditorMode()) << "typing starts the editor";
    EXPECT_EQ(Screen().ActiveControl(), form->grid->InplaceEditor());
    EXPECT_EQ(form->grid->Cells(1, 1), "ab") << "the first character replaced the text";
    EXPECT_EQ(form->log, (std::vector<std::string>{"set 1,1=a", "set 1,1=ab"}));
    robot.Press(VK_RETURN);
    EXPECT_FALSE(form->grid->GetEditorMode());
    EXPECT_EQ(Screen().ActiveControl(), form->grid);
    robot.Press(VK_RETURN);
    ASSERT_TRUE(form->grid->GetEditorMode());
    EXPECT_EQ(form->grid->InplaceEditor()->GetText(), "ab");
    robot.Press(VK_DOWN);
    EXPECT_EQ(form->grid->GetRow(), 2) << "Down in the editor moves in the grid";
    EXPECT_FALSE(form->grid->GetEditorMode());
}

TEST_F(GridTest, AlwaysShownEditorFollowsTheCellAndGetEditText) {
    form->grid->OnGetEditText.Clear();
    form->grid->SetCells(2, 1, "x");
    form->grid->SetOptions(form->grid->GetOptions() + TGridOptions{goEditing, goAlwaysShowEditor});
    ASSERT_TRUE(form->grid->GetEditorMode());
    robot.Press(VK_RIGHT);
    EXPECT_EQ(form->grid->GetCol(), 2) << "the whole text is selected: Right leaves the cell";
    EXPECT_EQ(form->grid->InplaceEditor()->GetText(), "x");
    form->grid->SetCells(2, 1, "changed by code");
    EXPECT_EQ(form->grid->InplaceEditor()->GetText(), "changed by code");
    robot.Press(VK_TAB);
    EXPECT_EQ(Screen().ActiveControl(), form->after) << "Tab leaves the grid from its editor";
    robot.Press(VK_TAB, {ssShift});
    EXPECT_EQ(Screen().ActiveControl(), form->grid->InplaceEditor());
}

TEST_F(GridTest, MoveToNextCellAppendsARowAtTheEnd) {
    form->grid->FocusCell(2, 1);
    form->grid->MoveToNextCell(true);
    EXPECT_EQ(form->grid->GetCol(), 1);
    EXPECT_EQ(form->grid->GetRow(), 2);
    form->grid->FocusCell(2, 2);
    form->grid->MoveToNextCell(false);
    EXPECT_EQ(form->grid->GetRowCount(), 3) << "no row added without appendRow";
    form->grid->MoveToNextCell(true);
    EXPECT_EQ(form->grid->GetRowCount(), 4);
    EXPECT_EQ(form->grid->GetRow(), 3);
    EXPECT_EQ(form->grid->GetCol(), 1);
}

TEST_F(GridTest, ClickOnTheCurrentCellEditsAndGridOfControlFindsTheGrid) {
    form->grid->SetOptions(form->grid->GetOptions() + TGridOptions{goEditing});
    robot.Focus(*form->after);
    robot.ClickCell(*form->grid, 2, 2);
    EXPECT_EQ(Screen().ActiveControl(), form->grid);
    EXPECT_FALSE(form->grid->GetEditorMode());
    robot.ClickCell(*form->grid, 2, 2);
    ASSERT_TRUE(form->grid->GetEditorMode());
    EXPECT_EQ(GridOfControl(Screen().ActiveControl()), form->grid);
    EXPECT_EQ(GridOfControl(form->after), nullptr);
}

TEST(StringGrid, CellsFollowTheSize) {
    auto grid = MakeUnique<TStringGrid>();
    grid->SetCells(4, 4, "corner");
    grid->SetObjects(1, 1, grid.get());
    grid->SetColCount(2);
    EXPECT_EQ(grid->Cells(4, 4), "");
    EXPECT_THROW(grid->SetCells(4, 4, "x"), EInvalidOperation);
    grid->SetColCount(5);
    EXPECT_EQ(grid->Cells(4, 4), "") << "cells cut off do not come back";
    EXPECT_EQ(grid->Objects(1, 1), grid.get());
    grid->SetRowCount(1);
    EXPECT_EQ(grid->GetFixedRows(), 0);
    EXPECT_THROW(grid->SetFixedCols(5), EInvalidOperation);
}

} // namespace
} // namespace kvc::test
