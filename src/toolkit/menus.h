// TMenuItem, TMainMenu and TPopupMenu: menus as trees of items. A checked
// radio item unchecks the radio items of its group among its siblings; a
// popup menu pops up at a screen point and, headless, stays popped until an
// item is chosen or the menu is closed.
#pragma once

#include "toolkit/control.h"

#include <memory>
#include <vector>

namespace kvc {

class TCanvas;
class TCustomImageList;
class TMenu;

// A shortcut: the virtual key with the shift flags above it.
using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(Word key, TShiftState shift);

KVC_EVENT_TYPE(TMenuDrawItemEvent, TObject*, TCanvas*, TRect, bool);
KVC_EVENT_TYPE(TMenuMeasureItemEvent, TObject*, TCanvas*, int&, int&);

class TMenuItem : public TComponent {
    KVC_CLASS(TMenuItem, TComponent)
public:
    const std::string& GetCaption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    bool GetChecked() const { return checked_; }
    // Checking a radio item unchecks the radio items of its group.
    void SetChecked(bool value);
    bool GetRadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GetGroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool GetAutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool GetVisible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool GetDefault() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    TShortCut GetShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value) { shortCut_ = value; }
    const std::string& GetHint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    // A caption of "-" makes a separator line.
    bool IsLine() const { return caption_ == "-"; }

    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    // The menu the item belongs to, through its parents.
    TMenu* GetParentMenu() const;
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // The child whose caption, without "&", is caption (letter case ignored).
    TMenuItem* Find(std::string_view caption) const;
    // Whether the item and its parents are enabled and visible.
    bool IsSelectable() const;

    void SetParentComponent(TComponent* parent) override;
    // The user's choice: AutoCheck toggles Checked, then OnClick.
    virtual void Click();

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

protected:
    void BeforeDestruction() override;

private:
    friend class TMenu;
    void TurnSiblingsOff();

    std::string caption_;
    std::string hint_;
    bool checked_ = false;
    bool radioItem_ = false;
    bool autoCheck_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on a menu's root item only
    std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent {
    KVC_CLASS(TMenu, TComponent)
public:
    TMenu();

    // The invisible root whose children are the menu's items.
    TMenuItem* Items() const { return items_.get(); }
    TCustomImageList* GetImages() const { return images_; }
    void SetImages(TCustomImageList* images);
    bool GetOwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value) { ownerDraw_ = value; }
    // The enabled item, at any depth, whose shortcut is key with shift; null when none.
    TMenuItem* FindShortCut(Word key, TShiftState shift) const;
    // Clicks that item and answers whether there was one.
    bool IsShortCut(Word key, TShiftState shift);

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeDestruction() override;

private:
    TOwned<TMenuItem> items_;
    TCustomImageList* images_ = nullptr;
    bool ownerDraw_ = false;
};

class TMainMenu : public TMenu {
    KVC_CLASS(TMainMenu, TMenu)
};

KVC_ENUM(TPopupAlignment, paLeft, paRight, paCenter);

class TPopupMenu : public TMenu {
    KVC_CLASS(TPopupMenu, TMenu)
public:
    bool GetAutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    TPopupAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }
    // The control the menu was last popped up for (set by the caller).
    TComponent* PopupComponent() const { return popupComponent_.Get(); }
    void SetPopupComponent(TComponent* component) { popupComponent_.Reset(component); }

    // OnPopup, then the menu shows at the screen point (x, y). Headless it
    // stays popped, its point recorded, until an item is chosen or CloseMenu.
    virtual void Popup(int x, int y);
    bool IsPopped() const { return popped_; }
    int PopupX() const { return popupX_; }
    int PopupY() const { return popupY_; }
    int PopupCount() const { return popupCount_; }
    void CloseMenu() { popped_ = false; }
    // The user chooses an item of the popped menu: the menu closes, then the
    // item is clicked. An item of another menu, or a menu not popped, raises
    // EInvalidOperation.
    void ChooseItem(TMenuItem& item);

    TNotifyEvent OnPopup;

private:
    TWeakRef<TComponent> popupComponent_;
    TPopupAlignment alignment_ = paLeft;
    bool autoPopup_ = true;
    bool popped_ = false;
    int popupX_ = 0;
    int popupY_ = 0;
    int popupCount_ = 0;
};

// The screen position of a point of a control's client area.
void ClientToScreen(const TControl& control, int& x, int& y);

} // namespace kvc
