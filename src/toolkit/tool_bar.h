// TToolBar and TToolButton: a row of buttons of one size, showing pictures
// of the bar's image list. A check button toggles Down; grouped check
// buttons next to each other keep one Down (none when AllowAllUp); a
// drop-down button pops its menu up below itself from its arrow.
#pragma once

#include "toolkit/image_list.h"
#include "toolkit/menus.h"
#include "toolkit/win_control.h"

#include <vector>

namespace kvc {

class TToolBar;

KVC_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider);
KVC_ENUM(TEdgeBorder, ebLeft, ebTop, ebRight, ebBottom);
using TEdgeBorders = TSet<TEdgeBorder>;

class TToolButton : public TControl {
    KVC_CLASS(TToolButton, TControl)
public:
    TToolButton();

    TToolBar* ToolBar() const;
    TToolButtonStyle GetStyle() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    bool GetDown() const { return down_; }
    // A grouped button going down raises the others of its group.
    void SetDown(bool value);
    bool GetGrouped() const { return grouped_; }
    void SetGrouped(bool value) { grouped_ = value; }
    bool GetAllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    bool GetIndeterminate() const { return indeterminate_; }
    void SetIndeterminate(bool value) { indeterminate_ = value; }
    bool GetMarked() const { return marked_; }
    void SetMarked(bool value) { marked_ = value; }
    bool GetWrap() const { return wrap_; }
    void SetWrap(bool value) { wrap_ = value; }
    TPopupMenu* GetDropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }
    // The buttons of this button's group, in bar order (itself alone when ungrouped).
    std::vector<TToolButton*> Group() const;

    void SetParent(TWinControl* parent) override;
    // A check button toggles (a grouped one only goes down unless AllowAllUp);
    // a button with a drop-down menu that is not of the drop-down style
    // pops the menu up; then OnClick.
    void Click() override;
    // The user's click on the arrow: the drop-down menu pops up below the button.
    void DropDown();

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeDestruction() override;

private:
    TToolButtonStyle style_ = tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    bool allowAllUp_ = false;
    bool indeterminate_ = false;
    bool marked_ = false;
    bool wrap_ = false;
    TPopupMenu* dropdownMenu_ = nullptr;
};

class TToolBar : public TWinControl {
    KVC_CLASS(TToolBar, TWinControl)
public:
    TToolBar();

    int ButtonCount() const { return int(buttons_.size()); }
    TToolButton* Buttons(int index) const;
    int GetButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    int GetButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    int GetIndent() const { return indent_; }
    void SetIndent(int value);
    bool GetFlat() const { return flat_; }
    void SetFlat(bool value) { flat_ = value; }
    bool GetShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value) { showCaptions_ = value; }
    bool GetList() const { return list_; }
    void SetList(bool value) { list_ = value; }
    bool GetWrapable() const { return wrapable_; }
    void SetWrapable(bool value) { wrapable_ = value; }
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    TEdgeBorders GetEdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(TEdgeBorders value) { edgeBorders_ = value; }
    TCustomImageList* GetImages() const { return images_; }
    void SetImages(TCustomImageList* value) { SetImageRef(images_, value); }
    TCustomImageList* GetHotImages() const { return hotImages_; }
    void SetHotImages(TCustomImageList* value) { SetImageRef(hotImages_, value); }
    TCustomImageList* GetDisabledImages() const { return disabledImages_; }
    void SetDisabledImages(TCustomImageList* value) { SetImageRef(disabledImages_, value); }

    // Places the visible buttons side by side from Indent on.
    void ArrangeButtons();

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    friend class TToolButton;
    void SetImageRef(TCustomImageList*& field, TCustomImageList* value);

    std::vector<TToolButton*> buttons_;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    int indent_ = 0;
    bool flat_ = false;
    bool showCaptions_ = false;
    bool list_ = false;
    bool wrapable_ = true;
    bool transparent_ = false;
    bool autoSize_ = false;
    TEdgeBorders edgeBorders_{ebTop};
    TCustomImageList* images_ = nullptr;
    TCustomImageList* hotImages_ = nullptr;
    TCustomImageList* disabledImages_ = nullptr;
};

} // namespace kvc
