#include "toolkit/tab_set.h"

#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TTabSet) {
    c.Property("Align", &TTabSet::GetAlign, &TTabSet::SetAlign);
    c.Property("Anchors", &TTabSet::GetAnchors, &TTabSet::SetAnchors);
    c.Property("DitherBackground", &TTabSet::GetDitherBackground, &TTabSet::SetDitherBackground);
    c.Property("Enabled", &TTabSet::GetEnabled, &TTabSet::SetEnabled);
    c.Property("EndMargin", &TTabSet::GetEndMargin, &TTabSet::SetEndMargin);
    c.Property("Font", &TTabSet::GetFont, &TTabSet::SetFont);
    c.Property("ParentShowHint", &TTabSet::GetParentShowHint, &TTabSet::SetParentShowHint);
    c.Property("SelectedColor", &TTabSet::GetSelectedColor, &TTabSet::SetSelectedColor);
    c.Property("ShowHint", &TTabSet::GetShowHint, &TTabSet::SetShowHint);
    c.Property("StartMargin", &TTabSet::GetStartMargin, &TTabSet::SetStartMargin);
    c.Property("Style", &TTabSet::GetStyle, &TTabSet::SetStyle);
    c.Property("TabHeight", &TTabSet::GetTabHeight, &TTabSet::SetTabHeight);
    c.Property("TabIndex", &TTabSet::GetTabIndex, &TTabSet::SetTabIndex);
    c.Property("Tabs", &TTabSet::GetTabs, &TTabSet::SetTabs);
    c.Property("UnselectedColor", &TTabSet::GetUnselectedColor, &TTabSet::SetUnselectedColor);
    c.Property("Visible", &TTabSet::GetVisible, &TTabSet::SetVisible);
    c.Event("OnChange", &TTabSet::OnChange);
    c.Event("OnClick", &TTabSet::OnClick);
}

TTabSet::TTabSet() {
    SetBounds(0, 0, 185, 21);
}

void TTabSet::SetTabs(const TStringList& tabs) {
    tabs_ = tabs;
    tabIndex_ = std::min(tabIndex_, tabs_.Count() - 1);
}

int TTabSet::GetTabIndex() const {
    // The list can be changed through GetTabs; a tab that went away is no index.
    return std::min(tabIndex_, tabs_.Count() - 1);
}

bool TTabSet::CanChange(int newTab) {
    bool allow = true;
    OnChange(this, newTab, allow);
    return allow;
}

void TTabSet::SetTabIndex(int value) {
    if (IsLoading()) {
        tabIndex_ = value;
        return;
    }
    if (value == GetTabIndex()) {
        return;
    }
    if (value < -1 || value >= tabs_.Count()) {
        throw EInvalidOperation("Tab index out of bounds");
    }
    TDestroyGuard guard(*this);
    if (!CanChange(value) || !guard.Alive()) {
        return;
    }
    tabIndex_ = value;
    Click();
}

void TTabSet::ClickTab(int index) {
    if (index >= 0 && index < tabs_.Count()) {
        SetTabIndex(index);
    }
}

} // namespace kvc
