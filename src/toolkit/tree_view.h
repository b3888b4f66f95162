// TTreeView: nodes with texts and children, one selected node. Changing the
// selection asks OnChanging (which may refuse) and then raises OnChange;
// the arrows walk the expanded nodes in display order.
#pragma once

#include "toolkit/image_list.h"
#include "toolkit/win_control.h"

#include <memory>
#include <vector>

namespace kvc {

class TTreeView;
class TTreeNodes;

class TTreeNode : public TPersistent {
    KVC_CLASS(TTreeNode, TPersistent)
public:
    const std::string& GetText() const { return text_; }
    void SetText(const std::string& value) { text_ = value; }
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    int GetSelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int value) { selectedIndex_ = value; }
    int GetStateIndex() const { return stateIndex_; }
    void SetStateIndex(int value) { stateIndex_ = value; }
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

    TTreeNode* Parent() const { return parent_; }
    TTreeView* TreeView() const;
    int Count() const { return int(children_.size()); }
    TTreeNode* Item(int index) const;
    bool HasChildren() const { return !children_.empty(); }
    // The position among its siblings; the depth (0 for a top node).
    int Index() const;
    int Level() const;
    // The position among all nodes in display order, collapsed ones included.
    int AbsoluteIndex() const;
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : Item(0); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;

    bool GetExpanded() const { return expanded_; }
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool GetSelected() const;
    // Selecting goes through the tree view's OnChanging and OnChange.
    void SetSelected(bool value);
    // Whether every parent is expanded.
    bool IsVisible() const;
    void Delete();

private:
    friend class TTreeNodes;
    std::string text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = -1;
    void* data_ = nullptr;
    bool expanded_ = false;
    TTreeNodes* owner_ = nullptr;
    TTreeNode* parent_ = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

class TTreeNodes : public TPersistent {
    KVC_CLASS(TTreeNodes, TPersistent)
public:
    explicit TTreeNodes(TTreeView* owner = nullptr) : owner_(owner) {}

    TTreeView* Owner() const { return owner_; }
    // All nodes, in display order.
    int Count() const;
    TTreeNode* Item(int absoluteIndex) const;
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_[0].get(); }
    int TopCount() const { return int(roots_.size()); }
    // A new last node among sibling's siblings (a top node when sibling is null).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    // A new last (first) child of parent (a top node when parent is null).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    // A new node right before node.
    TTreeNode* Insert(TTreeNode* node, const std::string& text);
    void Delete(TTreeNode* node);
    void Clear();
    // Every node, depth first.
    std::vector<TTreeNode*> All() const;

private:
    friend class TTreeNode;
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent);
    TTreeNode* InsertAt(TTreeNode* parent, std::size_t position, const std::string& text);

    TTreeView* owner_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
};

KVC_EVENT_TYPE(TTVChangedEvent, TObject*, TTreeNode*);
KVC_EVENT_TYPE(TTVChangingEvent, TObject*, TTreeNode*, bool&);
KVC_EVENT_TYPE(TTVEditedEvent, TObject*, TTreeNode*, std::string&);

class TTreeView : public TWinControl {
    KVC_CLASS(TTreeView, TWinControl)
public:
    TTreeView();

    TTreeNodes* GetItems() const { return items_.get(); }
    TTreeNode* GetSelected() const { return selected_; }
    // OnChanging may refuse; then OnChange. Answers whether the node is selected.
    bool SetSelected(TTreeNode* node);
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool GetHideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }
    bool GetShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value) { showButtons_ = value; }
    bool GetShowLines() const { return showLines_; }
    void SetShowLines(bool value) { showLines_ = value; }
    bool GetShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value) { showRoot_ = value; }
    bool GetAutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool value) { autoExpand_ = value; }
    bool GetRowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value) { rowSelect_ = value; }
    int GetIndent() const { return indent_; }
    void SetIndent(int value) { indent_ = value; }
    TCustomImageList* GetImages() const { return images_; }
    void SetImages(TCustomImageList* value);
    // The user's click on a node: the view takes the focus and selects it.
    void ClickNode(TTreeNode& node);
    // The in-place edit of a node's text ending with text: OnEdited may change it.
    void EndEdit(TTreeNode& node, std::string text);

    bool WantsKey(Word key, TShiftState shift) const override;

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;
    TTVChangedEvent OnDeletion;
    TTVEditedEvent OnEdited;

    // Its position is the index of the top node among the shown ones.
    TViewScrollBar* VertScrollBar() override { return &vertScroll_; }
    // The first node shown: the scroll position's node among the expanded ones.
    TTreeNode* GetTopItem() const;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTreeNodes;
    friend class TTreeNode;
    void NodeDeleting(TTreeNode* node);
    std::vector<TTreeNode*> VisibleNodes() const;

    std::unique_ptr<TTreeNodes> items_;
    TViewScrollBar vertScroll_;
    TTreeNode* selected_ = nullptr;
    TCustomImageList* images_ = nullptr;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool autoExpand_ = false;
    bool rowSelect_ = false;
    int indent_ = 19;
};

} // namespace kvc
