// Widgets of the controls that show a structure rather than one value: the tree view, the
// string grid, the notebook and its pages, the tool bar and its buttons. Each is rebuilt from
// the model when the model changed, and a click, an expansion or a button goes back to the
// model through the driver. Not here: the value controls (form_window.cpp).
#include "platform/5_desktop/desktop_internal.h"

#include <QFrame>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "platform/2_vcl/bars.h"
#include "platform/2_vcl/grids.h"
#include "platform/2_vcl/notebook.h"
#include "platform/2_vcl/treeview.h"

namespace vcl::qt {
namespace {

// Tree items carry their node's absolute index: the model's nodes are found again by it.
constexpr int kNodeRole = Qt::UserRole + 1;

TTreeNode* NodeOf(TTreeView* tree, QTreeWidgetItem* item) {
    return item ? tree->Items().Item(item->data(0, kNodeRole).toInt()) : nullptr;
}

// The tree's shape and texts, to tell when the widget must be built again.
QString ShapeOf(const TTreeView& tree) {
    QString shape;
    for (TTreeNode* n = tree.Items().GetFirstNode(); n; n = n->GetNext())
        shape += QString::number(n->Level()) + ":" + Q(n->Text()) + "\n";
    return shape;
}

void SyncTree(TTreeView* tree, QTreeWidget* view) {
    const QString shape = ShapeOf(*tree);
    if (view->property("shape").toString() != shape) {
        view->clear();
        std::vector<QTreeWidgetItem*> byIndex;
        for (TTreeNode* n = tree->Items().GetFirstNode(); n; n = n->GetNext()) {
            QTreeWidgetItem* parent = n->Parent() ? byIndex.at(n->Parent()->AbsoluteIndex()) : nullptr;
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(view);
            item->setText(0, Q(n->Text()));
            item->setData(0, kNodeRole, n->AbsoluteIndex());
            byIndex.push_back(item);
        }
        view->setProperty("shape", shape);
    }
    QTreeWidgetItemIterator it(view);
    for (; *it; ++it) {
        TTreeNode* n = NodeOf(tree, *it);
        if (!n) continue;
        // A node the model may still fill on expansion shows its arrow.
        (*it)->setChildIndicatorPolicy(n->HasChildren() ? QTreeWidgetItem::ShowIndicator
                                                        : QTreeWidgetItem::DontShowIndicatorWhenChildless);
        (*it)->setExpanded(n->Expanded());
        if (n == tree->Selected()) view->setCurrentItem(*it);
    }
    if (!tree->Selected()) view->setCurrentItem(nullptr);
}

void SyncGrid(TStringGrid* grid, QTableWidget* table) {
    if (table->columnCount() != grid->ColCount()) table->setColumnCount(grid->ColCount());
    if (table->rowCount() != grid->RowCount()) table->setRowCount(grid->RowCount());
    bool changed = false;
    for (int r = 0; r < grid->RowCount(); ++r) {
        table->setRowHeight(r, std::max(18, grid->DefaultRowHeight()));
        for (int c = 0; c < grid->ColCount(); ++c) {
            QTableWidgetItem* item = table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                table->setItem(r, c, item);
            }
            const QString text = Q(grid->Cells(c, r));
            if (item->text() != text) {
                item->setText(text);
                changed = true;
            }
            const bool fixed = r < grid->FixedRows() || c < grid->FixedCols();
            item->setBackground(fixed ? table->palette().button() : table->palette().base());
            QFont font = item->font();
            font.setBold(fixed);
            item->setFont(font);
        }
    }
    // Columns as wide as their texts: the grid scrolls sideways rather than cut them.
    if (changed) table->resizeColumnsToContents();
}

}  // namespace

QWidget* MakeViewWidget(DesktopDriver::Impl& host, TControl* c, QWidget* parent) {
    DesktopDriver::Impl* h = &host;
    if (QWidget* surface = MakePaintBoxWidget(host, c, parent)) return surface;
    if (auto* tree = dynamic_cast<TTreeView*>(c)) {
        auto* view = new QTreeWidget(parent);
        view->setHeaderHidden(true);
        view->setColumnCount(1);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        QObject::connect(view, &QTreeWidget::itemClicked, [h, tree](QTreeWidgetItem* item, int) {
            h->Dispatch([tree, item] {
                if (TTreeNode* n = NodeOf(tree, item)) tree->PickNode(n);
            });
        });
        QObject::connect(view, &QTreeWidget::itemExpanded, [h, tree](QTreeWidgetItem* item) {
            h->Dispatch([tree, item] {
                if (TTreeNode* n = NodeOf(tree, item); n && !n->Expanded()) n->Expand();
            });
        });
        QObject::connect(view, &QTreeWidget::itemCollapsed, [h, tree](QTreeWidgetItem* item) {
            h->Dispatch([tree, item] {
                if (TTreeNode* n = NodeOf(tree, item); n && n->Expanded()) n->Collapse();
            });
        });
        return view;
    }
    if (dynamic_cast<TStringGrid*>(c)) {
        auto* table = new QTableWidget(parent);
        table->horizontalHeader()->hide();
        table->verticalHeader()->hide();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionMode(QAbstractItemView::NoSelection);
        return table;
    }
    if (dynamic_cast<TNotebook*>(c) || dynamic_cast<TPage*>(c) || dynamic_cast<TToolBar*>(c)) {
        auto* frame = new QFrame(parent);
        if (dynamic_cast<TNotebook*>(c)) frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        return frame;
    }
    if (auto* button = dynamic_cast<TToolButton*>(c)) {
        auto* tool = new QToolButton(parent);
        tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
        QObject::connect(tool, &QToolButton::clicked, [h, button] { h->Dispatch([button] { button->UserClick(); }); });
        return tool;
    }
    return nullptr;
}

bool SyncViewWidget(TControl* c, QWidget* w) {
    if (SyncPaintBoxWidget(c, w)) return true;
    if (auto* tree = dynamic_cast<TTreeView*>(c)) {
        SyncTree(tree, static_cast<QTreeWidget*>(w));
        return true;
    }
    if (auto* grid = dynamic_cast<TStringGrid*>(c)) {
        SyncGrid(grid, static_cast<QTableWidget*>(w));
        return true;
    }
    if (dynamic_cast<TPage*>(c)) {
        // A page fills its notebook.
        if (QWidget* book = w->parentWidget()) w->setGeometry(2, 2, book->width() - 4, book->height() - 4);
        return true;
    }
    if (auto* button = dynamic_cast<TToolButton*>(c)) {
        auto* tool = static_cast<QToolButton*>(w);
        // Without the images of the original bar the hint names the button.
        tool->setText(Q(button->Caption().empty() ? button->Hint() : button->Caption()));
        if (auto* bar = dynamic_cast<TToolBar*>(c->Parent())) {
            int x = 2;
            for (int i = 0; i < bar->ControlCount(); ++i) {
                TControl* sibling = bar->Controls(i);
                if (sibling == c) break;
                if (sibling->Visible()) x += 84;
            }
            tool->setGeometry(x, 2, 82, std::max(22, bar->Height() - 4));
        }
        return true;
    }
    return false;
}

}  // namespace vcl::qt
