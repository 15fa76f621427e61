// A tree view: nodes with text, images and a data pointer, expanded and collapsed with events
// that may refuse, one selected node, moved with the arrow keys and by typing a letter.
// Headless like the rest of the component model. Not here: what the nodes stand for.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/control.h"

namespace vcl {

class TTreeView;
class TPopupMenu;

class TTreeNode {
public:
    std::string Text;
    int ImageIndex = 0;
    int SelectedIndex = 0;
    void* Data = nullptr;

    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const { return children_.at(static_cast<size_t>(index)).get(); }
    bool HasChildren() const { return !children_.empty(); }
    bool Expanded() const { return expanded_; }
    // Through the tree's OnExpanding / OnCollapsing, which may refuse; true when done.
    bool Expand();
    bool Collapse();
    // Position in the whole tree, counting every node before it depth first.
    int AbsoluteIndex() const;
    int Level() const;
    TTreeView* TreeView() const { return tree_; }

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeView* tree_ = nullptr;
    TTreeNode* parent_ = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    bool expanded_ = false;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView& tree);
    ~TTreeNodes();
    void Clear();
    // A top-level node at the end.
    TTreeNode* Add(const std::string& text);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    // Removes a node and its children (the tree's OnDeletion runs for each).
    void Delete(TTreeNode* node);
    // Every node depth first.
    int Count() const;
    TTreeNode* Item(int absoluteIndex) const;
    TTreeNode* GetFirstNode() const { return root_.children_.empty() ? nullptr : root_.children_.front().get(); }
    std::vector<TTreeNode*> All() const;

private:
    friend class TTreeView;
    TTreeView& tree_;
    TTreeNode root_;
};

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    TTreeNodes& Items() { return items_; }
    TTreeNode* Selected() const { return selected_; }
    // Raises OnChange when the selection changes.
    void SetSelected(TTreeNode* node);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    TPopupMenu* PopupMenu() const { return popup_; }
    void SetPopupMenu(TPopupMenu* menu) { popup_ = menu; }
    // The nodes a user sees: top level, and the children of expanded nodes.
    std::vector<TTreeNode*> VisibleNodes() const;

    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)> OnExpanding;
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)> OnCollapsing;
    std::function<void(TObject* Sender, TTreeNode* Node)> OnChange;
    std::function<void(TObject* Sender, TTreeNode* Node)> OnDeletion;

    bool WantsKey(WORD key, TShiftState shift) const override;
    // Up and Down move the selection, Home and End to the ends; Right expands (or goes to the
    // first child), Left collapses (or goes to the parent).
    void HandleKey(WORD& key, TShiftState shift) override;
    // The next visible node whose text starts with the letter, ignoring case.
    void AcceptChar(char32_t ch) override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void Forget(TTreeNode* node);
    TTreeNodes items_;
    TTreeNode* selected_ = nullptr;
    bool readOnly_ = false;
    TPopupMenu* popup_ = nullptr;
};

}  // namespace vcl
