// TTabSet: a row of tabs named by a string list. Every change of TabIndex,
// by code or by the user, asks OnChange first (which may refuse) and then
// raises OnClick, as the classic tab set does.
#pragma once

#include "runtime/string_list.h"
#include "toolkit/win_control.h"

namespace kvc {

KVC_ENUM(TTabStyle, tsStandard, tsOwnerDraw);
KVC_EVENT_TYPE(TTabChangeEvent, TObject*, int, bool&);

class TTabSet : public TWinControl {
    KVC_CLASS(TTabSet, TWinControl)
public:
    TTabSet();

    TStringList* GetTabs() const { return &tabs_; }
    // Keeps TabIndex when it is still a tab, otherwise the last tab.
    void SetTabs(const TStringList& tabs);
    int GetTabIndex() const;
    // -1 or a tab; anything else raises EInvalidOperation ("Tab index out of bounds").
    void SetTabIndex(int value);
    TTabStyle GetStyle() const { return style_; }
    void SetStyle(TTabStyle value) { style_ = value; }
    TColor GetSelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor value) { selectedColor_ = value; }
    TColor GetUnselectedColor() const { return unselectedColor_; }
    void SetUnselectedColor(TColor value) { unselectedColor_ = value; }
    bool GetDitherBackground() const { return dither_; }
    void SetDitherBackground(bool value) { dither_ = value; }
    int GetStartMargin() const { return startMargin_; }
    void SetStartMargin(int value) { startMargin_ = value; }
    int GetEndMargin() const { return endMargin_; }
    void SetEndMargin(int value) { endMargin_ = value; }
    int GetTabHeight() const { return tabHeight_; }
    void SetTabHeight(int value) { tabHeight_ = value; }
    // The user's click on a tab.
    void ClickTab(int index);
    // Answers the change of TabIndex to newTab through OnChange.
    virtual bool CanChange(int newTab);

    TTabChangeEvent OnChange;

private:
    mutable TStringList tabs_;
    int tabIndex_ = -1;
    TTabStyle style_ = tsStandard;
    TColor selectedColor_ = clBtnFace;
    TColor unselectedColor_ = clWindow;
    bool dither_ = true;
    int startMargin_ = 5;
    int endMargin_ = 5;
    int tabHeight_ = 20;
};

} // namespace kvc
