// The tree view: nodes with text, images and a data pointer, expanded and collapsed with
// events that may refuse, one selected node. Not here: what the nodes stand for (the caller
// keeps its own records behind Data and frees them, OnDeletion tells it when).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/control.h"

namespace vcl {

class TTreeView;

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return text_; }
    void SetText(std::string_view text) { text_ = text; }
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index) { selectedIndex_ = index; }

    TTreeView* TreeView() const { return tree_; }
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const { return children_.at(index).get(); }
    bool HasChildren() const { return !children_.empty(); }
    // Position among its siblings, and in the whole tree walked parents first.
    int Index() const;
    int AbsoluteIndex() const;
    int Level() const;
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node walking the whole tree parents first; nullptr after the last.
    TTreeNode* GetNext() const;

    bool Expanded() const { return expanded_; }
    // Through the tree's OnExpanding or OnCollapsing, which may refuse; then OnExpanded or
    // OnCollapsed. A node without children does not expand.
    void Expand(bool recurse = false);
    void Collapse(bool recurse = false);
    bool Selected() const;

    // Deletes the node with its children (OnDeletion for each, children first).
    void Delete();
    void DeleteChildren();

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeNode(TTreeView* tree, TTreeNode* parent, std::string_view text, void* data)
        : tree_(tree), parent_(parent), text_(text), data_(data) {}
    std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;

    TTreeView* tree_;
    TTreeNode* parent_;
    std::string text_;
    void* data_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    bool expanded_ = false;
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

// The nodes of one tree view (its Items).
class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView& tree) : tree_(tree) {}
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    // Every node of the tree.
    int Count() const;
    // By absolute index; nullptr outside the tree.
    TTreeNode* Item(int absoluteIndex) const;
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
    // A node after the last sibling of `sibling` (at the top level when nullptr).
    TTreeNode* Add(TTreeNode* sibling, std::string_view text);
    TTreeNode* AddObject(TTreeNode* sibling, std::string_view text, void* data);
    // A last child of `parent` (top level when nullptr).
    TTreeNode* AddChild(TTreeNode* parent, std::string_view text);
    TTreeNode* AddChildObject(TTreeNode* parent, std::string_view text, void* data);
    void Delete(TTreeNode* node) { node->Delete(); }
    void Clear();
    void BeginUpdate() {}
    void EndUpdate() {}

private:
    friend class TTreeNode;
    friend class TTreeView;
    TTreeView& tree_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    TTreeNodes& Items() { return items_; }
    const TTreeNodes& Items() const { return items_; }
    TTreeNode* Selected() const { return selected_; }
    // OnChanging may refuse; then OnChange. nullptr clears the selection.
    void SetSelected(TTreeNode* node);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // The user's click on a node: it becomes selected, then OnClick.
    void PickNode(TTreeNode* node);
    // The first node (parents first) with that text, exact then ignoring case; or "#n" for
    // the absolute index n. False when none.
    bool PickText(std::string_view text);

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    // Before a node is deleted (not while the tree itself is destroyed).
    TTVExpandedEvent OnDeletion;

    // Up and Down move through the shown nodes; Right expands, Left collapses or goes up.
    void HandleKey(WORD& key, TShiftState shift) override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void NodeGoing(TTreeNode* node);
    std::vector<TTreeNode*> ShownNodes() const;

    TTreeNodes items_{*this};
    TTreeNode* selected_ = nullptr;
    bool readOnly_ = false;
};

}  // namespace vcl
