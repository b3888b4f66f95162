#include "toolkit/win_control.h"

#include "runtime/strings.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/form.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TWinControl) {}

TWinControl::TWinControl() = default;

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) {
        throw EComponentError("Control index out of bounds (" + IntToStr(index) + ")");
    }
    return controls_[std::size_t(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent()) {
        if (c == this) {
            return true;
        }
    }
    return false;
}

HWND TWinControl::Handle() {
    if (handle_ == 0) {
        handle_ = Application().AllocateHandle(this);
    }
    return handle_;
}

int TWinControl::GetTabOrder() const {
    if (Parent() == nullptr) {
        return pendingTabOrder_;
    }
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    pendingTabOrder_ = order;
    if (Parent() == nullptr || IsLoading() || Parent()->IsLoading()) {
        return;
    }
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) {
        return;
    }
    list.erase(it);
    int count = int(list.size());
    int at = (order < 0 || order > count) ? count : order;
    list.insert(list.begin() + at, this);
}

void TWinControl::FixupTabList() {
    std::vector<std::pair<int, TWinControl*>> keyed;
    int rank = 0;
    for (TWinControl* c : tabList_) {
        int key = c->pendingTabOrder_ >= 0 ? c->pendingTabOrder_ : 1000000 + rank;
        keyed.emplace_back(key, c);
        ++rank;
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        tabList_[i] = keyed[i].second;
    }
}

bool TWinControl::CanFocus() const {
    const TCustomForm* form = GetParentForm();
    if (form == nullptr) {
        return false;
    }
    for (const TControl* c = this; c != form; c = c->Parent()) {
        if (!c->GetVisible() || !c->GetEnabled()) {
            return false;
        }
    }
    return true;
}

bool TWinControl::Focused() const {
    const TCustomForm* form = GetParentForm();
    return form != nullptr && form->IsActive() && form->FocusedControl() == this;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm();
    if (form == nullptr) {
        throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
    }
    form->FocusControl(this);
}

void TWinControl::SelectFirst() {
    TWinControl* first = FindNextControl(nullptr, true, true, false);
    if (first == nullptr) {
        first = FindNextControl(nullptr, true, false, false);
    }
    if (first != nullptr) {
        first->SetFocus();
    }
}

static void CollectTabOrder(const TWinControl& parent, std::vector<TWinControl*>& out) {
    for (TWinControl* c : parent.TabList()) {
        out.push_back(c);
        CollectTabOrder(*c, out);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    CollectTabOrder(*this, list);
    if (list.empty()) {
        return nullptr;
    }
    int count = int(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found != list.end() ? int(found - list.begin()) : (forward ? count - 1 : 0);
    int i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[std::size_t(i)];
        if (c->CanFocus() && (!checkTabStop || c->tabStop_) &&
            (!checkParent || c->Parent() == this)) {
            return c;
        }
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop)) {
        next->SetFocus();
    }
}

bool TWinControl::WantsKey(Word, TShiftState) const {
    return false;
}

static bool IsDialogKey(Word key) {
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

void TWinControl::HandleKeyDown(Word key, TShiftState shift) {
    TDestroyGuard guard(*this);
    TCustomForm* form = GetParentForm();
    if (form != nullptr && IsDialogKey(key) && !WantsKey(key, shift)) {
        if (form->DialogKey(key, shift)) {
            return;
        }
        if (!guard.Alive()) {
            return;
        }
    }
    // Alt with a letter or digit: the accelerators of the form's captions.
    if (form != nullptr && shift.Contains(ssAlt) && !shift.Contains(ssCtrl) &&
        form->DialogKey(key, shift)) {
        return;
    }
    if (!guard.Alive()) {
        return;
    }
    if (form != nullptr && form != this && form->GetKeyPreview()) {
        form->OnKeyDown(form, key, shift);
        if (!guard.Alive() || key == 0) {
            return;
        }
    }
    OnKeyDown(this, key, shift);
    if (!guard.Alive() || key == 0) {
        return;
    }
    KeyDown(key, shift);
    if (!guard.Alive() || key == 0) {
        return;
    }
    if (char32_t ch = CharFromKey(key, shift); ch != 0) {
        HandleChar(ch);
    }
}

void TWinControl::HandleChar(char32_t ch) {
    TDestroyGuard guard(*this);
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->GetKeyPreview()) {
        form->OnKeyPress(form, ch);
        if (!guard.Alive() || ch == 0) {
            return;
        }
    }
    OnKeyPress(this, ch);
    if (!guard.Alive() || ch == 0) {
        return;
    }
    KeyPress(ch);
}

void TWinControl::HandleKeyUp(Word key, TShiftState shift) {
    TDestroyGuard guard(*this);
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->GetKeyPreview()) {
        form->OnKeyUp(form, key, shift);
        if (!guard.Alive() || key == 0) {
            return;
        }
    }
    OnKeyUp(this, key, shift);
    if (!guard.Alive() || key == 0) {
        return;
    }
    KeyUp(key, shift);
}

void TWinControl::KeyDown(Word&, TShiftState) {}
void TWinControl::KeyPress(char32_t&) {}
void TWinControl::KeyUp(Word&, TShiftState) {}

bool TWinControl::DialogKey(Word key, TShiftState shift) {
    // Offered to every control, windowed or not, depth first.
    std::vector<TControl*> children = controls_;
    TDestroyGuard guard(*this);
    for (TControl* c : children) {
        if (!guard.Alive()) {
            return true;
        }
        if (c->DialogKey(key, shift)) {
            return true;
        }
    }
    return false;
}

void TWinControl::ShowingChanged(bool showing) {
    std::vector<TControl*> children = controls_;
    TDestroyGuard guard(*this);
    for (TControl* c : children) {
        if (!guard.Alive()) {
            return;
        }
        if (c->GetVisible()) {
            c->ShowingChanged(showing);
        }
    }
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_KEYDOWN:
        HandleKeyDown(Word(message.WParam), Application().ShiftState());
        return;
    case WM_CHAR:
        HandleChar(char32_t(message.WParam));
        return;
    case WM_KEYUP:
        HandleKeyUp(Word(message.WParam), Application().ShiftState());
        return;
    case WM_MOUSEWHEEL:
        if (TViewScrollBar* bar = VertScrollBar();
            bar != nullptr && bar->Wheel(int(std::int16_t(message.WParam >> 16)))) {
            Scrolled();
        }
        return;
    default:
        TControl::WndProc(message);
    }
}

void TWinControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (TViewScrollBar* bar = VertScrollBar(); bar != nullptr && button == mbLeft) {
        int before = bar->Position();
        if (bar->Press(x, y)) {
            if (bar->Position() != before) {
                Scrolled();
            }
            return;
        }
    }
    TControl::MouseDown(button, shift, x, y);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    bool moved = left != GetLeft() || top != GetTop();
    bool resized = width != GetWidth() || height != GetHeight();
    TDestroyGuard guard(*this);
    TControl::SetBounds(left, top, width, height);
    if (!guard.Alive()) {
        return;
    }
    if (resized) {
        AlignControls();
    }
    // The window's own notices, as the system sends them to a moved or
    // resized window.
    if (IsLoading()) {
        return;
    }
    if (moved) {
        Perform(WM_MOVE, 0, MakeLParam(left, top));
    }
    if (resized && guard.Alive()) {
        Perform(WM_SIZE, 0, MakeLParam(width, height));
    }
}

void TWinControl::AlignControls() {
    if (aligning_ || IsLoading()) {
        return;
    }
    aligning_ = true;
    TRect r = ClientRect();
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : controls_) {
            if (c->GetAlign() != kind || !c->GetVisible()) {
                continue;
            }
            int w = c->GetWidth();
            int h = c->GetHeight();
            switch (kind) {
            case alTop:
                c->SetBounds(r.Left, r.Top, r.Width(), h);
                r.Top += h;
                break;
            case alBottom:
                c->SetBounds(r.Left, r.Bottom - h, r.Width(), h);
                r.Bottom -= h;
                break;
            case alLeft:
                c->SetBounds(r.Left, r.Top, w, r.Height());
                r.Left += w;
                break;
            case alRight:
                c->SetBounds(r.Right - w, r.Top, w, r.Height());
                r.Right -= w;
                break;
            default:
                c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
                break;
            }
        }
    }
    aligning_ = false;
}

void TWinControl::DoEnter() {
    OnEnter(this);
}

void TWinControl::DoExit() {
    OnExit(this);
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (control->IsWindowed()) {
        auto* win = static_cast<TWinControl*>(control);
        tabList_.push_back(win);
        if (!IsLoading() && !win->IsLoading() && win->pendingTabOrder_ >= 0) {
            win->SetTabOrder(win->pendingTabOrder_);
        }
    }
}

void TWinControl::RemoveControl(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    if (control->GetAlign() != alNone && !IsDestroying()) {
        AlignControls();
    }
}

void TWinControl::ChildShowHintChanged() {
    for (TControl* c : controls_) {
        c->ParentShowHintChanged();
    }
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : controls_) {
        c->ParentFontChanged();
    }
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* c : controls_) {
        c->ParentColorChanged();
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FixupTabList();
    AlignControls();
}

void TWinControl::BeforeDestruction() {
    TControl::BeforeDestruction();
    // Children owned elsewhere go with their parent window, as classically.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        if (child->Owner() != nullptr && !child->IsDestroying()) {
            child->Free();
        } else {
            child->SetParent(nullptr);
        }
    }
    if (handle_ != 0) {
        Application().ReleaseHandle(handle_);
        handle_ = 0;
    }
}

char32_t CharFromKey(Word key, TShiftState shift) {
    if (shift.Contains(ssAlt)) {
        return 0;
    }
    bool upper = shift.Contains(ssShift);
    if (key >= 'A' && key <= 'Z') {
        if (shift.Contains(ssCtrl)) {
            return char32_t(key - 'A' + 1);
        }
        return upper ? char32_t(key) : char32_t(key + 32);
    }
    if (shift.Contains(ssCtrl)) {
        return 0;
    }
    if (key >= '0' && key <= '9') {
        static constexpr char32_t shifted[] = U")!@#$%^&*(";
        return upper ? shifted[key - '0'] : char32_t(key);
    }
    switch (key) {
    case VK_SPACE:
        return U' ';
    case VK_RETURN:
        return U'\r';
    case VK_ESCAPE:
        return char32_t(27);
    case VK_BACK:
        return char32_t(8);
    case VK_TAB:
        return U'\t';
    default:
        return 0;
    }
}

} // namespace kvc
