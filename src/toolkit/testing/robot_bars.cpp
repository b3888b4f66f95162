// The robot's operations on grids, menus, tree views and tab sets.
#include "runtime/strings.h"
#include "toolkit/grids.h"
#include "toolkit/menus.h"
#include "toolkit/tab_set.h"
#include "toolkit/testing/robot.h"
#include "toolkit/tree_view.h"

namespace kvc {

namespace {

void CheckShowing(const TWinControl& control) {
    if (!control.IsShowing() || !control.IsEnabledInParents()) {
        throw EInvalidOperation(std::string(control.ClassName()) + " '" + control.GetName() +
                                "' is not visible or not enabled");
    }
}

} // namespace

void TRobot::ClickCell(TCustomGrid& grid, int col, int row) {
    CheckShowing(grid);
    grid.ClickCell(col, row);
}

void TRobot::ChooseMenuItem(TPopupMenu& menu, TMenuItem& item, int x, int y) {
    menu.Popup(x, y);
    menu.ChooseItem(item);
}

void TRobot::SelectNode(TTreeView& tree, TTreeNode& node) {
    CheckShowing(tree);
    tree.ClickNode(node);
}

void TRobot::ClickTab(TTabSet& tabs, int index) {
    CheckShowing(tabs);
    if (index < 0 || index >= tabs.GetTabs()->Count()) {
        throw EInvalidOperation("Tab set '" + tabs.GetName() + "' has no tab " + IntToStr(index));
    }
    tabs.ClickTab(index);
}

} // namespace kvc
