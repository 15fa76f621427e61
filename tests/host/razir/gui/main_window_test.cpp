// The main window of razir gui: every report in its group's menu, an entry whose export is
// missing disabled, an entry calling its export with the current store as the host does, and
// a picture of the window and of an open menu.
#include "host/razir/gui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "platform/2_vcl/application.h"
#include "platform/5_desktop/desktop_driver.h"

namespace razir::gui {
namespace {

const bool kOffscreen = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0; }();

struct Call {
    std::string p1, p2;
    bool p3 = true;
    int count = 0;
};
Call lastCall;
void FakeRTiendas(const char* p1, const char* p2, bool p3) { lastCall = {p1, p2, p3, lastCall.count + 1}; }
int userReports = 0;
void FakeRReportesUsr() { ++userReports; }

class MapLibrary : public ReportLibrary {
public:
    void* Find(std::string_view name) override {
        if (name == "RTiendas") return reinterpret_cast<void*>(&FakeRTiendas);
        if (name == "RReportesUsr") return reinterpret_cast<void*>(&FakeRReportesUsr);
        return nullptr;
    }
};

TEST(MainWindowTest, MenusGroupTheReportsAndCallTheExportsWithTheCurrentStore) {
    ASSERT_TRUE(kOffscreen);
    vcl::qt::DesktopDriver driver;
    vcl::DriverScope scope(driver);
    MapLibrary library;
    vcl::FreePtr<TfrmRazir> form(vcl::Create<TfrmRazir>(nullptr, library, "01", "Centro", "Abarrotes Peñón, S.A."));
    driver.SetMainMenu(*form, form->MenuRoot());
    form->Show();

    struct Case {
        const char* group;
        const char* exportName;
        bool enabled;
    };
    constexpr Case kCases[] = {
        {"mnuCatalogos", "RTiendas", true},      {"mnuCatalogos", "REsquema", false},
        {"mnuInventario", "RKardex", false},     {"mnuVentas", "RVenXProducto", false},
        {"mnuIngresos", "RIngresoXTienda", false}, {"mnuCaja", "RReportesUsr", true},
    };
    for (const Case& c : kCases) {
        vcl::TMenuItem* item = form->ItemOf(c.exportName);
        ASSERT_NE(item, nullptr) << c.exportName;
        EXPECT_EQ(item->Parent()->Name(), c.group) << c.exportName;
        EXPECT_EQ(item->Enabled(), c.enabled) << c.exportName;
    }
    int entries = 0;
    for (const ReportGroup& g : ReportGroups()) entries += static_cast<int>(g.entries.size());
    EXPECT_EQ(entries, 43) << "every export of the library has its entry";

    QWidget* window = driver.Window(*form);
    ASSERT_NE(window, nullptr);
    auto* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QStringList titles;
    for (QAction* a : bar->actions()) titles << a->text();
    EXPECT_EQ(titles, QStringList({"&Archivo", "&Catálogos", "&Inventario", "&Ventas", "I&ngresos", "Ca&ja"}));
    const std::string shots = RAZIR_SCREENSHOTS;
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(driver.SavePicture(form.get(), shots + "/razir-gui.png"));

    auto* catalogues = window->findChild<QMenu*>("mnuCatalogos");
    ASSERT_NE(catalogues, nullptr);
    catalogues->popup(window->mapToGlobal(QPoint(60, bar->height())));
    QApplication::processEvents();
    EXPECT_TRUE(catalogues->grab().save(QString::fromStdString(shots + "/razir-gui-catalogos.png")));
    QAction* stores = catalogues->findChild<QAction*>("mnuRTiendas");
    ASSERT_NE(stores, nullptr);
    EXPECT_EQ(stores->text(), "Catálogo de &tiendas...");
    EXPECT_FALSE(catalogues->findChild<QAction*>("mnuREsquema")->isEnabled());
    stores->trigger();
    catalogues->hide();
    EXPECT_EQ(lastCall.count, 1);
    EXPECT_EQ(lastCall.p1, "01");
    EXPECT_EQ(lastCall.p2, "Centro");
    EXPECT_FALSE(lastCall.p3) << "dialog mode, never direct";
    form->ItemOf("RReportesUsr")->Click();
    EXPECT_EQ(userReports, 1);

    form->mnuSalir->Click();
    EXPECT_FALSE(form->Showing());
    EXPECT_EQ(driver.Window(*form), nullptr);
}

}  // namespace
}  // namespace razir::gui
