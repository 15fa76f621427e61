// Tree nodes and the tree view's selection and expansion. Deleting a node first tells the
// owner of its Data (OnDeletion, children before parents) and moves the selection off it.
#include "platform/2_vcl/treeview.h"

#include <algorithm>
#include <charconv>

namespace vcl {

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const {
    return parent_ ? parent_->children_ : tree_->items_.roots_;
}

int TTreeNode::Index() const {
    const auto& list = Siblings();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (TTreeNode* n = tree_->items_.GetFirstNode(); n; n = n->GetNext(), ++index)
        if (n == this) return index;
    return -1;
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& list = Siblings();
    const int i = Index();
    return i >= 0 && i + 1 < static_cast<int>(list.size()) ? list[i + 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const int i = Index();
    return i > 0 ? Siblings()[i - 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front().get();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

void TTreeNode::Expand(bool recurse) {
    if (!children_.empty() && !expanded_) {
        bool allow = true;
        if (tree_->OnExpanding) tree_->OnExpanding(tree_, this, allow);
        if (!allow) return;
        expanded_ = true;
        if (tree_->OnExpanded) tree_->OnExpanded(tree_, this);
    }
    if (recurse)
        for (auto& c : children_) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (expanded_) {
        bool allow = true;
        if (tree_->OnCollapsing) tree_->OnCollapsing(tree_, this, allow);
        if (!allow) return;
        expanded_ = false;
        if (tree_->OnCollapsed) tree_->OnCollapsed(tree_, this);
    }
    if (recurse)
        for (auto& c : children_) c->Collapse(true);
}

bool TTreeNode::Selected() const { return tree_->selected_ == this; }

void TTreeNode::DeleteChildren() {
    while (!children_.empty()) children_.back()->Delete();
    expanded_ = false;
}

void TTreeNode::Delete() {
    DeleteChildren();
    tree_->NodeGoing(this);
    auto& list = Siblings();
    const auto it = std::find_if(list.begin(), list.end(), [this](const auto& p) { return p.get() == this; });
    if (it != list.end()) list.erase(it);  // destroys this node
}

int TTreeNodes::Count() const {
    int n = 0;
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) ++n;
    return n;
}

TTreeNode* TTreeNodes::Item(int absoluteIndex) const {
    if (absoluteIndex < 0) return nullptr;
    TTreeNode* node = GetFirstNode();
    for (int i = 0; node && i < absoluteIndex; ++i) node = node->GetNext();
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, std::string_view text) { return AddObject(sibling, text, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, std::string_view text, void* data) {
    return AddChildObject(sibling ? sibling->parent_ : nullptr, text, data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, std::string_view text) {
    return AddChildObject(parent, text, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, std::string_view text, void* data) {
    auto& list = parent ? parent->children_ : roots_;
    list.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(&tree_, parent, text, data)));
    return list.back().get();
}

void TTreeNodes::Clear() {
    while (!roots_.empty()) roots_.back()->Delete();
}

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

TTreeView::~TTreeView() {
    selected_ = nullptr;
    items_.roots_.clear();
}

void TTreeView::NodeGoing(TTreeNode* node) {
    if (OnDeletion && !Destroying()) OnDeletion(this, node);
    if (selected_ == node) selected_ = nullptr;
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_) return;
    bool allow = true;
    if (OnChanging && !Destroying()) OnChanging(this, node, allow);
    if (!allow) return;
    selected_ = node;
    if (OnChange && !Destroying()) OnChange(this, node);
}

void TTreeView::PickNode(TTreeNode* node) {
    SetSelected(node);
    Click();
}

bool TTreeView::PickText(std::string_view text) {
    TTreeNode* found = nullptr;
    if (text.size() > 1 && text[0] == '#') {
        int index = -1;
        const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + text.size(), index);
        if (ec == std::errc() && end == text.data() + text.size()) found = items_.Item(index);
    }
    for (TTreeNode* n = items_.GetFirstNode(); n && !found; n = n->GetNext())
        if (n->Text() == text) found = n;
    for (TTreeNode* n = items_.GetFirstNode(); n && !found; n = n->GetNext())
        if (SameName(n->Text(), text)) found = n;
    if (!found) return false;
    PickNode(found);
    return true;
}

std::vector<TTreeNode*> TTreeView::ShownNodes() const {
    std::vector<TTreeNode*> out;
    std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> walk = [&](const auto& list) {
        for (const auto& n : list) {
            out.push_back(n.get());
            if (n->Expanded()) walk(n->children_);
        }
    };
    walk(items_.roots_);
    return out;
}

void TTreeView::HandleKey(WORD& key, TShiftState shift) {
    if (shift != ssNone) return;
    if (key == VK_UP || key == VK_DOWN) {
        const auto shown = ShownNodes();
        if (shown.empty()) return;
        const auto at = std::find(shown.begin(), shown.end(), selected_);
        int i = at == shown.end() ? 0 : static_cast<int>(at - shown.begin()) + (key == VK_DOWN ? 1 : -1);
        i = std::clamp(i, 0, static_cast<int>(shown.size()) - 1);
        key = 0;
        SetSelected(shown[i]);
    } else if (key == VK_RIGHT && selected_) {
        key = 0;
        selected_->Expand();
    } else if (key == VK_LEFT && selected_) {
        key = 0;
        if (selected_->Expanded()) selected_->Collapse();
        else if (selected_->Parent()) SetSelected(selected_->Parent());
    }
}

}  // namespace vcl
