// Tree views: node order and indexes, expansion that a handler refuses, deletion that tells
// the owner of each node's data, and the selection moved by picks and keys.
#include "platform/2_vcl/treeview.h"

#include <gtest/gtest.h>

#include "platform/2_vcl/form.h"

using namespace vcl;

namespace {

// VENTAS.db with two indexes, then a group with no files, then CLIENTES.db.
struct Tables {
    TTreeView tree{nullptr};
    TTreeNode *ventas, *primario, *x01, *grupo, *clientes;
    Tables() {
        auto& items = tree.Items();
        ventas = items.AddObject(nullptr, "Ventas", reinterpret_cast<void*>(1));
        primario = items.AddChild(ventas, "PRIMARIO");
        x01 = items.AddChild(ventas, "Fecha");
        grupo = items.Add(ventas, "Notas por caja");
        clientes = items.Add(nullptr, "Clientes");
    }
    std::vector<std::string> Walk() const {
        std::vector<std::string> out;
        for (TTreeNode* n = tree.Items().GetFirstNode(); n; n = n->GetNext()) out.push_back(n->Text());
        return out;
    }
};

}  // namespace

TEST(TreeView, NodesWalkParentsFirstWithTheirIndexes) {
    Tables t;
    EXPECT_EQ(t.Walk(), (std::vector<std::string>{"Ventas", "PRIMARIO", "Fecha", "Notas por caja", "Clientes"}));
    EXPECT_EQ(t.tree.Items().Count(), 5);
    EXPECT_EQ(t.x01->AbsoluteIndex(), 2);
    EXPECT_EQ(t.x01->Index(), 1);
    EXPECT_EQ(t.x01->Level(), 1);
    EXPECT_EQ(t.tree.Items().Item(3), t.grupo);
    EXPECT_EQ(t.tree.Items().Item(9), nullptr);
    EXPECT_EQ(t.ventas->Data(), reinterpret_cast<void*>(1));
    EXPECT_FALSE(t.grupo->HasChildren());
}

TEST(TreeView, AnExpansionTheHandlerRefusesDoesNotHappen) {
    Tables t;
    std::vector<std::string> asked;
    t.tree.OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        asked.push_back(node->Text());
        allow = node != t.ventas;  // as a table whose file is missing
    };
    t.ventas->Expand();
    EXPECT_FALSE(t.ventas->Expanded());
    t.grupo->Expand();
    EXPECT_TRUE(asked == std::vector<std::string>{"Ventas"}) << "a node without children is not asked about";
    t.tree.OnExpanding = nullptr;
    t.ventas->Expand();
    EXPECT_TRUE(t.ventas->Expanded());
}

TEST(TreeView, DeletingTellsTheOwnerOfEveryNodeChildrenFirstAndDropsTheSelection) {
    Tables t;
    std::vector<std::string> deleted;
    t.tree.OnDeletion = [&](TObject*, TTreeNode* node) { deleted.push_back(node->Text()); };
    t.tree.SetSelected(t.x01);
    t.ventas->Delete();
    EXPECT_EQ(deleted, (std::vector<std::string>{"Fecha", "PRIMARIO", "Ventas"}));
    EXPECT_EQ(t.tree.Selected(), nullptr);
    deleted.clear();
    t.tree.Items().Clear();
    EXPECT_EQ(deleted, (std::vector<std::string>{"Clientes", "Notas por caja"}));
    EXPECT_EQ(t.tree.Items().Count(), 0);
}

TEST(TreeView, SelectionChangesThroughOnChangingAndOnChange) {
    Tables t;
    std::vector<std::string> events;
    t.tree.OnChanging = [&](TObject*, TTreeNode* node, bool& allow) { allow = node != t.clientes; };
    t.tree.OnChange = [&](TObject*, TTreeNode* node) { events.push_back("change " + node->Text()); };
    t.tree.OnClick = [&](TObject*) { events.push_back("click"); };
    EXPECT_TRUE(t.tree.PickText("notas POR caja"));
    EXPECT_TRUE(t.tree.PickText("#1"));
    EXPECT_FALSE(t.tree.PickText("Proveedores"));
    t.tree.SetSelected(t.clientes);
    EXPECT_EQ(t.tree.Selected(), t.primario);
    EXPECT_EQ(events, (std::vector<std::string>{"change Notas por caja", "click", "change PRIMARIO", "click"}));
}

TEST(TreeView, ArrowsWalkTheShownNodes) {
    TForm form(nullptr);
    Tables t;
    t.tree.SetParent(&form);
    form.Show();
    t.tree.SetFocus();
    t.tree.SetSelected(t.ventas);
    form.PressKey(VK_DOWN);
    EXPECT_EQ(t.tree.Selected(), t.grupo) << "children of a collapsed node are skipped";
    form.PressKey(VK_UP);
    form.PressKey(VK_RIGHT);
    form.PressKey(VK_DOWN);
    EXPECT_EQ(t.tree.Selected(), t.primario);
    form.PressKey(VK_LEFT);
    EXPECT_EQ(t.tree.Selected(), t.ventas);
    t.tree.SetParent(nullptr);
}
