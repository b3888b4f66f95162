// TPageControl and TTabSheet: pages with tabs, one active page visible.
// ActivePage set by code shows the page (its OnShow) without OnChanging or
// OnChange; the user's tab click and SelectNextPage ask OnChanging first and
// raise OnChange after.
#pragma once

#include "toolkit/win_control.h"

#include <vector>

namespace kvc {

class TPageControl;

KVC_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight);

class TTabSheet : public TWinControl {
    KVC_CLASS(TTabSheet, TWinControl)
public:
    TTabSheet();

    TPageControl* GetPageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* control);
    void SetParentComponent(TComponent* parent) override;
    int GetPageIndex() const;
    void SetPageIndex(int index);
    bool GetTabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    // The index among the pages whose tabs are visible; -1 when hidden.
    int TabIndex() const;

    void ShowingChanged(bool showing) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void BeforeDestruction() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = 0;
};

class TPageControl : public TWinControl {
    KVC_CLASS(TPageControl, TWinControl)
public:
    TPageControl();

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* GetActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int GetActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next page after current in page order, wrapping around; with
    // checkTabVisible only pages whose tab is visible.
    TTabSheet* FindNextPage(TTabSheet* current, bool forward, bool checkTabVisible) const;
    // OnChanging (which may refuse), the next page, then OnChange.
    void SelectNextPage(bool forward, bool checkTabVisible = true);
    // The user's click on a page's tab.
    void TabClick(TTabSheet* page);

    bool GetMultiLine() const { return multiLine_; }
    void SetMultiLine(bool value) { multiLine_ = value; }
    TTabPosition GetTabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value) { tabPosition_ = value; }
    int GetTabHeight() const { return tabHeight_; }
    void SetTabHeight(int value) { tabHeight_ = value; }
    int GetTabWidth() const { return tabWidth_; }
    void SetTabWidth(int value) { tabWidth_ = value; }
    bool GetHotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { hotTrack_ = value; }

    TRect ClientRect() const override;
    void ShowingChanged(bool showing) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    virtual bool CanChange();
    virtual void Change();
    void BeforeDestruction() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void ChangeActivePage(TTabSheet* page);
    void UserChange(TTabSheet* page);

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    bool multiLine_ = false;
    TTabPosition tabPosition_ = tpTop;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    bool hotTrack_ = false;
};

} // namespace kvc
