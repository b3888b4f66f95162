// TRobot: drives forms as a user would, for tests and scripts: clicks,
// focus, typing into the focused control, key presses with shift states,
// tab clicks, answers to the next message dialogs and actions on the next
// modal forms.
#pragma once

#include "toolkit/application.h"
#include "toolkit/dialogs.h"
#include "toolkit/page_control.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <string_view>

namespace kvc {

class TComboBox;
class TCheckBox;
class TCustomGrid;
class TListView;
class TMenuItem;
class TPopupMenu;
class TSpinEdit;
class TTabSet;
class TTreeNode;
class TTreeView;

class TRobot {
public:
    // Installs the robot's modal hook for its lifetime.
    TRobot();
    ~TRobot();
    TRobot(const TRobot&) = delete;
    TRobot& operator=(const TRobot&) = delete;

    // A press and release of the left button on the control; a control that
    // is not showing or not enabled raises EInvalidOperation.
    void Click(TControl& control);
    // The same at (x, y) of the control, in its own coordinates: on a view's
    // scroll bar it scrolls the view.
    void ClickAt(TControl& control, int x, int y);
    // Turns the mouse wheel over the control by notches (positive away from
    // the user, which scrolls a view up), as WM_MOUSEWHEEL.
    void Wheel(TControl& control, int notches);
    void Focus(TWinControl& control);
    // Each character goes to the control that has the focus then (WM_CHAR).
    void Type(std::string_view text);
    // A key pressed and released on the focused control.
    void Press(Word key, TShiftState shift = {});
    // The user's click on a page's tab.
    void ClickTab(TTabSheet& page);

    // Focuses the combo box and chooses an item from its list (OnClick,
    // then OnChange); an index outside the items raises EInvalidOperation.
    void ChooseItem(TComboBox& combo, int index);
    // By the item's text; a text that no item has raises EInvalidOperation.
    void ChooseItem(TComboBox& combo, std::string_view text);
    // Clicks the box until it shows the state (at most two clicks).
    void SetChecked(TCheckBox& box, bool checked);
    // Clicks the first row, then Ctrl-clicks the others.
    void SelectRows(TListView& list, std::initializer_list<int> rows);
    // Starts the in-place edit of a row's caption (as F2 does), types text
    // over it and ends with Enter, or with Esc when accept is false. A list
    // that refuses the edit raises EInvalidOperation.
    void EditCaption(TListView& list, int row, std::string_view text, bool accept = true);
    // Focuses the spin edit and types the number over its text.
    void SetSpinValue(TSpinEdit& spin, int value);
    // The user's click on a grid cell (the grid takes the focus; a click on
    // the current cell of an editable grid shows the editor). Moving on from
    // there is Press with arrows, Tab or Enter.
    void ClickCell(TCustomGrid& grid, int col, int row);
    // Pops the menu up at the screen point and chooses the item.
    void ChooseMenuItem(TPopupMenu& menu, TMenuItem& item, int x = 0, int y = 0);
    void SelectNode(TTreeView& tree, TTreeNode& node);
    // An index outside the tabs raises EInvalidOperation.
    void ClickTab(TTabSet& tabs, int index);

    void AnswerNextDialog(TModalResult answer);
    // Runs action on the next modal form (other than a message dialog) once
    // it is shown; modal forms without a queued action end as the headless
    // loop ends them.
    void OnNextModal(std::function<void(TCustomForm&)> action);
    int PendingModalActions() const { return int(actions_.size()); }

    // The control keys go to: the active form's focused control, or the form.
    static TWinControl& FocusTarget();

private:
    std::deque<std::function<void(TCustomForm&)>> actions_;
    TApplication::ModalHook previous_;
};

} // namespace kvc
