// Grids, notebooks, menus and tool bars: the controls of the table-maintenance dialog.
#include <gtest/gtest.h>

#include "platform/2_vcl/bars.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/grids.h"
#include "platform/2_vcl/menus.h"
#include "platform/2_vcl/notebook.h"
#include "platform/2_vcl/script.h"

using namespace vcl;

TEST(StringGrid, CellsByColumnThenRowAndResizingKeepsWhatFits) {
    TStringGrid grid(nullptr);
    grid.SetColCount(6);
    grid.SetRowCount(2);
    grid.SetRow(0, {"Nombre", "Existe", "Tipo", "Tamaño", "Modificado", "Ruta"});
    grid.SetCells(1, 1, "Sí Existe...");
    grid.SetCells(7, 1, "fuera");
    EXPECT_EQ(grid.Cells(3, 0), "Tamaño");
    EXPECT_EQ(grid.Cells(1, 1), "Sí Existe...");
    EXPECT_EQ(grid.Cells(7, 1), "");
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cells(1, 1), "Sí Existe...");
    EXPECT_EQ(grid.Row(2), std::vector<std::string>(6));
    grid.ClearRow(1);
    EXPECT_EQ(grid.Cells(1, 1), "");
    grid.SetColCount(2);
    EXPECT_EQ(grid.Row(0), (std::vector<std::string>{"Nombre", "Existe"}));
}

TEST(Notebook, PagesFollowTheStringsAndOnlyTheCurrentOneShows) {
    TForm form(nullptr);
    auto* book = NewControl<TNotebook>(&form, "NotebookBDYC");
    book->Pages().SetText("Base de Datos\nConfiguración\n");
    ASSERT_EQ(book->PageCount(), 2);
    auto* edt = NewControl<TEdit>(book->Page(0), "edtNetDir");
    auto* other = NewControl<TEdit>(book->Page(1), "edtOtro");
    int changes = 0;
    book->OnPageChanged = [&](TObject*) { ++changes; };
    form.Show();
    edt->SetFocus();
    book->SetActivePage("configuración");
    EXPECT_EQ(book->PageIndex(), 1);
    EXPECT_EQ(book->ActivePage(), "Configuración");
    EXPECT_FALSE(edt->CanFocus());
    EXPECT_TRUE(other->CanFocus());
    EXPECT_EQ(form.ActiveControl(), nullptr) << "the focus left the page that hid";
    book->SetPageIndex(5);
    EXPECT_EQ(changes, 1);
    book->Pages().Delete(1);
    EXPECT_EQ(book->PageIndex(), 0);
    EXPECT_EQ(form.FindComponent("edtOtro"), nullptr) << "the page's controls went with it";
}

TEST(Menu, ItemsClickOnlyWhenTheyAndTheirParentsAreEnabled) {
    TForm form(nullptr);
    auto* popup = new TPopupMenu(&form);
    auto* verif = new TMenuItem(&form);
    verif->SetName("popVerif");
    popup->Items().Add(verif);
    int clicks = 0;
    verif->OnClick = [&](TObject*) { ++clicks; };
    verif->Click();
    popup->Items().SetEnabled(false);
    verif->Click();
    EXPECT_EQ(clicks, 1);
    delete verif;
    EXPECT_EQ(popup->Items().Count(), 0);
}

TEST(Menu, TheScriptClicksItemsAndRefusesHiddenOnes) {
    ScriptDriver driver(ParseScript("click popCrear\nclick popVerArch\n"));
    DriverScope scope(driver);
    TForm form(nullptr);
    form.SetName("VlmContArch");
    auto* popup = new TPopupMenu(&form);
    std::vector<std::string> clicked;
    for (const char* name : {"popCrear", "popVerArch"}) {
        auto* item = new TMenuItem(&form);
        item->SetName(name);
        item->OnClick = [&clicked, item](TObject*) { clicked.push_back(item->Name()); };
        popup->Items().Add(item);
    }
    static_cast<TMenuItem*>(form.FindComponent("popVerArch"))->SetVisible(false);
    form.Show();
    driver.PlayOn(form);
    EXPECT_EQ(clicked, std::vector<std::string>{"popCrear"});
    ASSERT_EQ(driver.Failures().size(), 1u);
    EXPECT_EQ(driver.Failures()[0], "línea 2: click popVerArch: \"popVerArch\" está oculto o desactivado");
}

TEST(ToolBar, AToolButtonClicksWithoutTakingTheFocusAndImagesAreWatched) {
    ScriptDriver driver(ParseScript("focus edtA\nclick tbVerif\n"));
    DriverScope scope(driver);
    TForm form(nullptr);
    auto* edt = NewControl<TEdit>(&form, "edtA");
    auto* bar = NewControl<TToolBar>(&form, "ToolBar");
    auto* verif = NewControl<TToolButton>(bar, "tbVerif");
    int clicks = 0;
    verif->OnClick = [&](TObject*) { ++clicks; };
    auto* images = new TImageList(nullptr);
    images->SetCount(4);
    bar->SetImages(images);
    form.Show();
    driver.PlayOn(form);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ActiveControl(), edt);
    delete images;
    EXPECT_EQ(bar->Images(), nullptr);
}
