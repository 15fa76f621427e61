// The tree view's nodes, their expansion and the keyboard.
#include "tablemaint/component/treeview.h"

#include <algorithm>
#include <cctype>

namespace vcl {

bool TTreeNode::Expand() {
    if (expanded_) return true;
    bool allow = true;
    if (tree_ && tree_->OnExpanding) tree_->OnExpanding(tree_, this, allow);
    if (allow) expanded_ = true;
    return allow;
}

bool TTreeNode::Collapse() {
    if (!expanded_) return true;
    bool allow = true;
    if (tree_ && tree_->OnCollapsing) tree_->OnCollapsing(tree_, this, allow);
    if (allow) expanded_ = false;
    return allow;
}

int TTreeNode::AbsoluteIndex() const {
    if (!tree_) return -1;
    auto all = tree_->items_.All();
    auto it = std::find(all.begin(), all.end(), this);
    return it == all.end() ? -1 : int(it - all.begin());
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = parent_; p && p->parent_; p = p->parent_) ++level;
    return level;
}

TTreeNodes::TTreeNodes(TTreeView& tree) : tree_(tree) { root_.tree_ = &tree; }
TTreeNodes::~TTreeNodes() = default;

void TTreeNodes::Clear() {
    while (!root_.children_.empty()) Delete(root_.children_.back().get());
}

TTreeNode* TTreeNodes::Add(const std::string& text) { return AddChild(nullptr, text); }

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    TTreeNode* owner = parent ? parent : &root_;
    auto node = std::make_unique<TTreeNode>();
    node->Text = text;
    node->tree_ = &tree_;
    node->parent_ = owner;
    owner->children_.push_back(std::move(node));
    return owner->children_.back().get();
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node == &root_) return;
    while (!node->children_.empty()) Delete(node->children_.back().get());
    tree_.Forget(node);
    auto& siblings = node->parent_->children_;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [&](const auto& p) { return p.get() == node; }),
                   siblings.end());
}

std::vector<TTreeNode*> TTreeNodes::All() const {
    std::vector<TTreeNode*> out;
    std::function<void(const TTreeNode&)> walk = [&](const TTreeNode& n) {
        for (const auto& c : n.children_) {
            out.push_back(c.get());
            walk(*c);
        }
    };
    walk(root_);
    return out;
}

int TTreeNodes::Count() const { return int(All().size()); }

TTreeNode* TTreeNodes::Item(int index) const {
    auto all = All();
    return index >= 0 && index < int(all.size()) ? all[size_t(index)] : nullptr;
}

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner), items_(*this) { SetTabStop(true); }

TTreeView::~TTreeView() {
    OnDeletion = nullptr;
    OnChange = nullptr;
}

void TTreeView::Forget(TTreeNode* node) {
    if (OnDeletion && !Destroying()) OnDeletion(this, node);
    if (selected_ == node) {
        selected_ = nullptr;
        if (OnChange && !Destroying()) OnChange(this, nullptr);
    }
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_) return;
    selected_ = node;
    if (OnChange) OnChange(this, node);
}

std::vector<TTreeNode*> TTreeView::VisibleNodes() const {
    std::vector<TTreeNode*> out;
    std::function<void(const TTreeNode&)> walk = [&](const TTreeNode& n) {
        for (const auto& c : n.children_) {
            out.push_back(c.get());
            if (c->expanded_) walk(*c);
        }
    };
    walk(items_.root_);
    return out;
}

bool TTreeView::WantsKey(WORD key, TShiftState shift) const {
    return (key >= VK_PRIOR && key <= VK_DOWN) || TWinControl::WantsKey(key, shift);
}

void TTreeView::HandleKey(WORD& key, TShiftState shift) {
    auto nodes = VisibleNodes();
    if (nodes.empty()) return TWinControl::HandleKey(key, shift);
    auto at = std::find(nodes.begin(), nodes.end(), selected_);
    const int pos = at == nodes.end() ? -1 : int(at - nodes.begin());
    switch (key) {
    case VK_DOWN: SetSelected(nodes[size_t(std::min(pos + 1, int(nodes.size()) - 1))]); break;
    case VK_UP: SetSelected(nodes[size_t(std::max(pos - 1, 0))]); break;
    case VK_HOME: SetSelected(nodes.front()); break;
    case VK_END: SetSelected(nodes.back()); break;
    case VK_RIGHT:
        if (selected_ && selected_->HasChildren()) {
            if (!selected_->Expanded()) selected_->Expand();
            else SetSelected(selected_->Item(0));
        }
        break;
    case VK_LEFT:
        if (selected_ && selected_->Expanded()) selected_->Collapse();
        else if (selected_ && selected_->Parent() && selected_->Parent()->Parent()) SetSelected(selected_->Parent());
        break;
    default: return TWinControl::HandleKey(key, shift);
    }
    key = 0;
}

void TTreeView::AcceptChar(char32_t ch) {
    if (ch > 127) return;
    auto nodes = VisibleNodes();
    auto at = std::find(nodes.begin(), nodes.end(), selected_);
    size_t start = at == nodes.end() ? 0 : size_t(at - nodes.begin()) + 1;
    for (size_t k = 0; k < nodes.size(); ++k) {
        TTreeNode* n = nodes[(start + k) % nodes.size()];
        if (!n->Text.empty() && std::tolower(static_cast<unsigned char>(n->Text[0])) == std::tolower(int(ch))) {
            SetSelected(n);
            return;
        }
    }
}

}  // namespace vcl
