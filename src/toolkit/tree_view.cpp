#include "toolkit/tree_view.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TTreeNode) {
    c.Property("ImageIndex", &TTreeNode::GetImageIndex, &TTreeNode::SetImageIndex);
    c.Property("SelectedIndex", &TTreeNode::GetSelectedIndex, &TTreeNode::SetSelectedIndex);
    c.Property("StateIndex", &TTreeNode::GetStateIndex, &TTreeNode::SetStateIndex);
    c.Property("Text", &TTreeNode::GetText, &TTreeNode::SetText);
    c.Property("Expanded", &TTreeNode::GetExpanded, &TTreeNode::SetExpanded);
}

TTreeView* TTreeNode::TreeView() const {
    return owner_ != nullptr ? owner_->Owner() : nullptr;
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) {
        throw EInvalidOperation("Tree node index out of bounds (" + IntToStr(index) + ")");
    }
    return children_[std::size_t(index)].get();
}

int TTreeNode::Index() const {
    const auto& siblings = parent_ != nullptr ? parent_->children_ : owner_->roots_;
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i].get() == this) {
            return int(i);
        }
    }
    return -1;
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p != nullptr; p = p->parent_) {
        ++level;
    }
    return level;
}

int TTreeNode::AbsoluteIndex() const {
    auto all = owner_->All();
    return int(std::find(all.begin(), all.end(), this) - all.begin());
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = parent_ != nullptr ? parent_->children_ : owner_->roots_;
    std::size_t next = std::size_t(Index()) + 1;
    return next < siblings.size() ? siblings[next].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const auto& siblings = parent_ != nullptr ? parent_->children_ : owner_->roots_;
    int index = Index();
    return index > 0 ? siblings[std::size_t(index - 1)].get() : nullptr;
}

void TTreeNode::SetExpanded(bool value) {
    if (value == expanded_) {
        return;
    }
    expanded_ = value;
    TTreeView* view = TreeView();
    if (view == nullptr) {
        return;
    }
    if (value) {
        view->OnExpanded(view, this);
    } else {
        view->OnCollapsed(view, this);
    }
}

void TTreeNode::Expand(bool recurse) {
    SetExpanded(true);
    if (recurse) {
        for (auto& child : children_) {
            child->Expand(true);
        }
    }
}

void TTreeNode::Collapse(bool recurse) {
    SetExpanded(false);
    if (recurse) {
        for (auto& child : children_) {
            child->Collapse(true);
        }
    }
}

bool TTreeNode::GetSelected() const {
    TTreeView* view = TreeView();
    return view != nullptr && view->GetSelected() == this;
}

void TTreeNode::SetSelected(bool value) {
    TTreeView* view = TreeView();
    if (view == nullptr || value == GetSelected()) {
        return;
    }
    view->SetSelected(value ? this : nullptr);
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = parent_; p != nullptr; p = p->parent_) {
        if (!p->expanded_) {
            return false;
        }
    }
    return true;
}

void TTreeNode::Delete() {
    owner_->Delete(this);
}

KVC_REGISTER_CLASS(TTreeNodes) {}

std::vector<TTreeNode*> TTreeNodes::All() const {
    std::vector<TTreeNode*> out;
    // Depth first without recursion: a stack of the nodes still to visit.
    std::vector<TTreeNode*> pending;
    for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) {
        pending.push_back(it->get());
    }
    while (!pending.empty()) {
        TTreeNode* node = pending.back();
        pending.pop_back();
        out.push_back(node);
        for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) {
            pending.push_back(it->get());
        }
    }
    return out;
}

int TTreeNodes::Count() const {
    return int(All().size());
}

TTreeNode* TTreeNodes::Item(int absoluteIndex) const {
    auto all = All();
    if (absoluteIndex < 0 || absoluteIndex >= int(all.size())) {
        throw EInvalidOperation("Tree node index out of bounds (" + IntToStr(absoluteIndex) + ")");
    }
    return all[std::size_t(absoluteIndex)];
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* parent) {
    return parent != nullptr ? parent->children_ : roots_;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, std::size_t position, const std::string& text) {
    if (parent != nullptr && parent->owner_ != this) {
        throw EInvalidOperation("The node belongs to another tree");
    }
    auto node = std::make_unique<TTreeNode>();
    node->text_ = text;
    node->owner_ = this;
    node->parent_ = parent;
    auto& siblings = SiblingsOf(parent);
    position = std::min(position, siblings.size());
    return siblings.insert(siblings.begin() + std::ptrdiff_t(position), std::move(node))->get();
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    TTreeNode* parent = sibling != nullptr ? sibling->parent_ : nullptr;
    return InsertAt(parent, SiblingsOf(parent).size(), text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
    return InsertAt(sibling != nullptr ? sibling->parent_ : nullptr, 0, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    return InsertAt(parent, SiblingsOf(parent).size(), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
    return InsertAt(parent, 0, text);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* node, const std::string& text) {
    if (node == nullptr) {
        return Add(nullptr, text);
    }
    return InsertAt(node->parent_, std::size_t(node->Index()), text);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (node == nullptr || node->owner_ != this) {
        throw EInvalidOperation("The node belongs to another tree");
    }
    if (owner_ != nullptr) {
        owner_->NodeDeleting(node);
    }
    auto& siblings = SiblingsOf(node->parent_);
    siblings.erase(siblings.begin() + node->Index());
}

void TTreeNodes::Clear() {
    while (!roots_.empty()) {
        Delete(roots_.back().get());
    }
}

KVC_REGISTER_CLASS(TTreeView) {
    c.Property("Align", &TTreeView::GetAlign, &TTreeView::SetAlign);
    c.Property("Anchors", &TTreeView::GetAnchors, &TTreeView::SetAnchors);
    c.Property("AutoExpand", &TTreeView::GetAutoExpand, &TTreeView::SetAutoExpand);
    c.Property("Color", &TTreeView::GetColor, &TTreeView::SetColor);
    c.Property("Enabled", &TTreeView::GetEnabled, &TTreeView::SetEnabled);
    c.Property("Font", &TTreeView::GetFont, &TTreeView::SetFont);
    c.Property("HideSelection", &TTreeView::GetHideSelection, &TTreeView::SetHideSelection);
    c.Property("Images", &TTreeView::GetImages, &TTreeView::SetImages);
    c.Property("Indent", &TTreeView::GetIndent, &TTreeView::SetIndent);
    c.Property("Items", &TTreeView::GetItems);
    c.Property("ParentFont", &TTreeView::GetParentFont, &TTreeView::SetParentFont);
    c.Property("ParentShowHint", &TTreeView::GetParentShowHint, &TTreeView::SetParentShowHint);
    c.Property("ReadOnly", &TTreeView::GetReadOnly, &TTreeView::SetReadOnly);
    c.Property("RowSelect", &TTreeView::GetRowSelect, &TTreeView::SetRowSelect);
    c.Property("ShowButtons", &TTreeView::GetShowButtons, &TTreeView::SetShowButtons);
    c.Property("ShowHint", &TTreeView::GetShowHint, &TTreeView::SetShowHint);
    c.Property("ShowLines", &TTreeView::GetShowLines, &TTreeView::SetShowLines);
    c.Property("ShowRoot", &TTreeView::GetShowRoot, &TTreeView::SetShowRoot);
    c.Property("TabOrder", &TTreeView::GetTabOrder, &TTreeView::SetTabOrder);
    c.Property("TabStop", &TTreeView::GetTabStop, &TTreeView::SetTabStop);
    c.Property("Visible", &TTreeView::GetVisible, &TTreeView::SetVisible);
    c.Event("OnChange", &TTreeView::OnChange);
    c.Event("OnChanging", &TTreeView::OnChanging);
    c.Event("OnClick", &TTreeView::OnClick);
    c.Event("OnCollapsed", &TTreeView::OnCollapsed);
    c.Event("OnDblClick", &TTreeView::OnDblClick);
    c.Event("OnDeletion", &TTreeView::OnDeletion);
    c.Event("OnEdited", &TTreeView::OnEdited);
    c.Event("OnEnter", &TTreeView::OnEnter);
    c.Event("OnExit", &TTreeView::OnExit);
    c.Event("OnExpanded", &TTreeView::OnExpanded);
    c.Event("OnKeyDown", &TTreeView::OnKeyDown);
    c.Event("OnKeyPress", &TTreeView::OnKeyPress);
}

TTreeView::TTreeView() : items_(std::make_unique<TTreeNodes>(this)) {
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

bool TTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_) {
        return true;
    }
    if (node != nullptr && node->TreeView() != this) {
        throw EInvalidOperation("The node belongs to another tree");
    }
    bool allow = true;
    TDestroyGuard guard(*this);
    OnChanging(this, node, allow);
    if (!allow || !guard.Alive()) {
        return false;
    }
    selected_ = node;
    for (TTreeNode* p = node != nullptr ? node->Parent() : nullptr; p != nullptr; p = p->Parent()) {
        p->SetExpanded(true);
    }
    if (autoExpand_ && node != nullptr) {
        node->SetExpanded(true);
    }
    OnChange(this, node);
    return true;
}

void TTreeView::SetImages(TCustomImageList* value) {
    images_ = value;
    if (value != nullptr) {
        FreeNotification(value);
    }
}

void TTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_ = nullptr;
    }
}

void TTreeView::ClickNode(TTreeNode& node) {
    if (CanFocus() && !Focused()) {
        SetFocus();
    }
    if (SetSelected(&node)) {
        Click();
    }
}

void TTreeView::EndEdit(TTreeNode& node, std::string text) {
    if (readOnly_) {
        return;
    }
    OnEdited(this, &node, text);
    node.SetText(text);
}

void TTreeView::NodeDeleting(TTreeNode* node) {
    for (int i = node->Count() - 1; i >= 0; --i) {
        NodeDeleting(node->Item(i));
    }
    if (selected_ == node) {
        selected_ = nullptr;
    }
    OnDeletion(this, node);
}

std::vector<TTreeNode*> TTreeView::VisibleNodes() const {
    std::vector<TTreeNode*> out;
    for (TTreeNode* node : items_->All()) {
        if (node->IsVisible()) {
            out.push_back(node);
        }
    }
    return out;
}

TTreeNode* TTreeView::GetTopItem() const {
    auto visible = VisibleNodes();
    if (visible.empty()) {
        return nullptr;
    }
    return visible[std::size_t(std::min(vertScroll_.Position(), int(visible.size()) - 1))];
}

bool TTreeView::WantsKey(Word key, TShiftState) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TTreeView::KeyDown(Word& key, TShiftState) {
    auto visible = VisibleNodes();
    if (visible.empty()) {
        return;
    }
    auto at = std::find(visible.begin(), visible.end(), selected_);
    TTreeNode* target = nullptr;
    switch (key) {
    case VK_UP:
        target = at == visible.end() ? visible.front() : *(at == visible.begin() ? at : at - 1);
        break;
    case VK_DOWN:
        target = at == visible.end() ? visible.front() : *(at + 1 == visible.end() ? at : at + 1);
        break;
    case VK_HOME:
        target = visible.front();
        break;
    case VK_END:
        target = visible.back();
        break;
    case VK_RIGHT:
        if (selected_ != nullptr && selected_->HasChildren()) {
            if (!selected_->GetExpanded()) {
                selected_->SetExpanded(true);
            } else {
                target = selected_->GetFirstChild();
            }
        }
        break;
    case VK_LEFT:
        if (selected_ != nullptr) {
            if (selected_->GetExpanded()) {
                selected_->SetExpanded(false);
            } else {
                target = selected_->Parent();
            }
        }
        break;
    default:
        return;
    }
    if (target != nullptr) {
        SetSelected(target);
        // The view follows the selection; the nodes shown may have changed.
        visible = VisibleNodes();
        auto shown = std::find(visible.begin(), visible.end(), selected_);
        if (shown != visible.end() && vertScroll_.ShowLine(int(shown - visible.begin()))) {
            Invalidate();
        }
    }
}

} // namespace kvc
