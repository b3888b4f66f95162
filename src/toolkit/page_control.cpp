#include "toolkit/page_control.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/form.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TTabSheet) {
    c.Property("Caption", &TTabSheet::GetCaption, &TTabSheet::SetCaption);
    c.Property("Enabled", &TTabSheet::GetEnabled, &TTabSheet::SetEnabled);
    c.Property("Font", &TTabSheet::GetFont, &TTabSheet::SetFont);
    c.Property("ImageIndex", &TTabSheet::GetImageIndex, &TTabSheet::SetImageIndex);
    c.Property("PageControl", &TTabSheet::GetPageControl, &TTabSheet::SetPageControl);
    c.Property("PageIndex", &TTabSheet::GetPageIndex, &TTabSheet::SetPageIndex);
    c.Property("ParentFont", &TTabSheet::GetParentFont, &TTabSheet::SetParentFont);
    c.Property("ParentShowHint", &TTabSheet::GetParentShowHint, &TTabSheet::SetParentShowHint);
    c.Property("ShowHint", &TTabSheet::GetShowHint, &TTabSheet::SetShowHint);
    c.Property("TabVisible", &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible);
    c.Event("OnEnter", &TTabSheet::OnEnter);
    c.Event("OnExit", &TTabSheet::OnExit);
    c.Event("OnHide", &TTabSheet::OnHide);
    c.Event("OnResize", &TTabSheet::OnResize);
    c.Event("OnShow", &TTabSheet::OnShow);
}

TTabSheet::TTabSheet() {
    TControl::SetVisible(false);
}

void TTabSheet::SetPageControl(TPageControl* control) {
    if (control == pageControl_) {
        return;
    }
    if (pageControl_ != nullptr) {
        pageControl_->RemovePage(this);
    }
    SetParent(control);
    if (control != nullptr) {
        control->InsertPage(this);
    }
}

void TTabSheet::SetParentComponent(TComponent* parent) {
    if (auto* pages = As<TPageControl>(parent)) {
        SetPageControl(pages);
    } else {
        TWinControl::SetParentComponent(parent);
    }
}

int TTabSheet::GetPageIndex() const {
    if (pageControl_ == nullptr) {
        return -1;
    }
    const auto& pages = pageControl_->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (pageControl_ == nullptr) {
        return;
    }
    auto& pages = pageControl_->pages_;
    pages.erase(std::find(pages.begin(), pages.end(), this));
    index = std::clamp(index, 0, int(pages.size()));
    pages.insert(pages.begin() + index, this);
}

int TTabSheet::TabIndex() const {
    if (pageControl_ == nullptr || !tabVisible_) {
        return -1;
    }
    int index = 0;
    for (TTabSheet* page : pageControl_->pages_) {
        if (page == this) {
            return index;
        }
        if (page->tabVisible_) {
            ++index;
        }
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == tabVisible_) {
        return;
    }
    tabVisible_ = value;
    if (!value && pageControl_ != nullptr && pageControl_->activePage_ == this &&
        !pageControl_->IsLoading()) {
        TTabSheet* next = pageControl_->FindNextPage(this, true, true);
        pageControl_->ChangeActivePage(next == this ? nullptr : next);
    }
}

void TTabSheet::ShowingChanged(bool showing) {
    TDestroyGuard guard(*this);
    if (showing) {
        OnShow(this);
    } else {
        OnHide(this);
    }
    if (guard.Alive()) {
        TWinControl::ShowingChanged(showing);
    }
}

void TTabSheet::BeforeDestruction() {
    if (pageControl_ != nullptr) {
        pageControl_->RemovePage(this);
    }
    TWinControl::BeforeDestruction();
}

KVC_REGISTER_CLASS(TPageControl) {
    c.Property("ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage);
    c.Property("Align", &TPageControl::GetAlign, &TPageControl::SetAlign);
    c.Property("Anchors", &TPageControl::GetAnchors, &TPageControl::SetAnchors);
    c.Property("Enabled", &TPageControl::GetEnabled, &TPageControl::SetEnabled);
    c.Property("Font", &TPageControl::GetFont, &TPageControl::SetFont);
    c.Property("HotTrack", &TPageControl::GetHotTrack, &TPageControl::SetHotTrack);
    c.Property("MultiLine", &TPageControl::GetMultiLine, &TPageControl::SetMultiLine);
    c.Property("ParentFont", &TPageControl::GetParentFont, &TPageControl::SetParentFont);
    c.Property("ParentShowHint", &TPageControl::GetParentShowHint,
               &TPageControl::SetParentShowHint);
    c.Property("ShowHint", &TPageControl::GetShowHint, &TPageControl::SetShowHint);
    c.Property("TabHeight", &TPageControl::GetTabHeight, &TPageControl::SetTabHeight);
    c.Property("TabOrder", &TPageControl::GetTabOrder, &TPageControl::SetTabOrder);
    c.Property("TabPosition", &TPageControl::GetTabPosition, &TPageControl::SetTabPosition);
    c.Property("TabStop", &TPageControl::GetTabStop, &TPageControl::SetTabStop);
    c.Property("TabWidth", &TPageControl::GetTabWidth, &TPageControl::SetTabWidth);
    c.Property("Visible", &TPageControl::GetVisible, &TPageControl::SetVisible);
    c.Event("OnChange", &TPageControl::OnChange);
    c.Event("OnChanging", &TPageControl::OnChanging);
    c.Event("OnEnter", &TPageControl::OnEnter);
    c.Event("OnExit", &TPageControl::OnExit);
    c.Event("OnResize", &TPageControl::OnResize);
}

TPageControl::TPageControl() {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) {
        throw EComponentError("Page index out of bounds (" + IntToStr(index) + ")");
    }
    return pages_[std::size_t(index)];
}

TRect TPageControl::ClientRect() const {
    return {4, 24, GetWidth() - 4, GetHeight() - 4};
}

int TPageControl::GetActivePageIndex() const {
    return activePage_ != nullptr ? activePage_->GetPageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[std::size_t(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page != nullptr && page->pageControl_ != this) {
        return;
    }
    ChangeActivePage(page);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward,
                                      bool checkTabVisible) const {
    if (pages_.empty()) {
        return nullptr;
    }
    int count = PageCount();
    auto found = std::find(pages_.begin(), pages_.end(), current);
    int start = found != pages_.end() ? int(found - pages_.begin()) : (forward ? count - 1 : 0);
    int i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = pages_[std::size_t(i)];
        if (!checkTabVisible || page->tabVisible_) {
            return page;
        }
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool forward, bool checkTabVisible) {
    TTabSheet* page = FindNextPage(activePage_, forward, checkTabVisible);
    if (page != nullptr && page != activePage_) {
        UserChange(page);
    }
}

void TPageControl::TabClick(TTabSheet* page) {
    if (page != nullptr && page->pageControl_ == this && page->tabVisible_) {
        UserChange(page);
    }
}

bool TPageControl::CanChange() {
    bool allow = true;
    OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    OnChange(this);
}

void TPageControl::UserChange(TTabSheet* page) {
    if (page == activePage_) {
        return;
    }
    TDestroyGuard guard(*this);
    if (!CanChange() || !guard.Alive()) {
        return;
    }
    ChangeActivePage(page);
    if (guard.Alive() && activePage_ == page) {
        Change();
    }
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
    if (page == activePage_) {
        return;
    }
    TDestroyGuard guard(*this);
    TCustomForm* form = GetParentForm();
    // The focus leaves a page before it is hidden.
    if (form != nullptr && activePage_ != nullptr && !IsLoading() &&
        activePage_->ContainsControl(form->GetActiveControl())) {
        form->SetActiveControl(CanFocus() ? this : nullptr);
        if (!guard.Alive()) {
            return;
        }
    }
    TTabSheet* old = activePage_;
    activePage_ = page;
    bool showing = IsShowing() && !IsLoading();
    if (page != nullptr) {
        TRect r = ClientRect();
        page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        page->SetVisible(true);
        if (showing) {
            page->ShowingChanged(true);
            if (!guard.Alive()) {
                return;
            }
        }
    }
    if (old != nullptr && old != activePage_) {
        old->SetVisible(false);
        if (showing) {
            old->ShowingChanged(false);
        }
    }
}

void TPageControl::ShowingChanged(bool showing) {
    TWinControl::ShowingChanged(showing);
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    TRect r = ClientRect();
    page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::RemovePage(TTabSheet* page) {
    TTabSheet* next = FindNextPage(page, true, true);
    if (next == page) {
        next = nullptr;
    }
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    page->pageControl_ = nullptr;
    if (activePage_ == page) {
        activePage_ = nullptr;
        if (!IsDestroying()) {
            ChangeActivePage(next);
        }
    }
}

void TPageControl::BeforeDestruction() {
    for (TTabSheet* page : pages_) {
        page->pageControl_ = nullptr;
    }
    pages_.clear();
    activePage_ = nullptr;
    TWinControl::BeforeDestruction();
}

} // namespace kvc
