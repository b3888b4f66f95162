// The robot's operations on the list and choice controls.
#include "runtime/strings.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/list_view.h"
#include "toolkit/spin_edit.h"
#include "toolkit/testing/robot.h"

namespace kvc {

namespace {

void CheckUsable(const TWinControl& control) {
    if (!control.CanFocus()) {
        throw EInvalidOperation(std::string(control.ClassName()) + " '" + control.GetName() +
                                "' is not visible or not enabled");
    }
}

} // namespace

void TRobot::ChooseItem(TComboBox& combo, int index) {
    CheckUsable(combo);
    if (index < 0 || index >= combo.GetItems()->Count()) {
        throw EInvalidOperation("Combo box '" + combo.GetName() + "' has no item " +
                                IntToStr(index));
    }
    Focus(combo);
    combo.ChooseItem(index);
}

void TRobot::ChooseItem(TComboBox& combo, std::string_view text) {
    int index = combo.GetItems()->IndexOf(text);
    if (index < 0) {
        throw EInvalidOperation("Combo box '" + combo.GetName() + "' has no item '" +
                                std::string(text) + "'");
    }
    ChooseItem(combo, index);
}

void TRobot::SetChecked(TCheckBox& box, bool checked) {
    for (int clicks = 0; clicks < 2 && box.GetChecked() != checked; ++clicks) {
        Click(box);
    }
}

void TRobot::SelectRows(TListView& list, std::initializer_list<int> rows) {
    CheckUsable(list);
    bool first = true;
    for (int row : rows) {
        list.ClickItem(list.Items()[row], first ? TShiftState{} : TShiftState{ssCtrl});
        first = false;
    }
}

void TRobot::EditCaption(TListView& list, int row, std::string_view text, bool accept) {
    CheckUsable(list);
    list.ClickItem(list.Items()[row]);
    Press(VK_F2);
    if (!list.IsEditing()) {
        throw EInvalidOperation("List view '" + list.GetName() + "' refused to edit row " +
                                IntToStr(row));
    }
    Type(text);
    Press(accept ? VK_RETURN : VK_ESCAPE);
}

void TRobot::SetSpinValue(TSpinEdit& spin, int value) {
    CheckUsable(spin);
    Focus(spin);
    spin.SelectAll();
    Type(IntToStr(value));
}

} // namespace kvc
