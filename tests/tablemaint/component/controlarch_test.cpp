// TControlArch: its paths, resources and direct operations.
#include "tablemaint/component/controlarch.h"

#include "platform/2_vcl/script.h"
#include "tests/tablemaint/component/component_fixture.h"

namespace tablemaint::testing {
namespace {

TEST(ControlArch, Paths) {
    DataFolder f;
    TControlArch c(nullptr);
    c.SetRutaBD(f.dir.path.substr(0, f.dir.path.size() - 1));
    EXPECT_EQ(c.RutaBD(), f.dir.path) << "a trailing slash is added";
    c.SetRutaTablas("");
    EXPECT_EQ(c.RutaTablas(), "");
    try {
        c.SetRutaTablas(f.dir.path + "NOESTA.DB");
        FAIL();
    } catch (const ERutaInvalida& e) {
        EXPECT_STREQ(e.what(), "Archivo de definición de Tablas Inexistente");
    }
    EXPECT_THROW(c.SetRutaCampos("/no/existe.db"), ERutaInvalida);
    c.SetRutaBD("/no/existe");  // only refused at design time
    c.SetDesigning(true);
    EXPECT_THROW(c.SetRutaBD("/no/existe"), ERutaInvalida);
    c.SetDesigning(false);
    // Operations check all three paths.
    try {
        c.Ejecuta();
        FAIL();
    } catch (const ERutaInvalida& e) {
        EXPECT_EQ(e.Recurso(), 4);
        EXPECT_STREQ(e.what(), "No se pudo crear el diálogo de control de archivos\nrutas o archivos Incorrectos");
    }
    EXPECT_THROW(c.CreaBD(), ERutaInvalida);
    EXPECT_THROW(c.VerificaTabla("VENTAS.db"), ERutaInvalida);
}

TEST(ControlArch, AnEmptyOrRootDataFolderIsRefused) {
    DataFolder f;
    TControlArch c(nullptr);
    c.SetRutaTablas(f.tablas);
    c.SetRutaCampos(f.campos);
    for (const char* folder : {"", "/"}) {
        SCOPED_TRACE(std::string("\"") + folder + "\"");
        // broke: "" became "/" and CreaBD made the tables in the file system's root.
        c.SetRutaBD(folder);
        EXPECT_EQ(c.RutaBD(), folder);
        EXPECT_THROW(c.CreaBD(), ERutaInvalida);
        EXPECT_THROW(c.VerificaTabla("VENTAS.db"), ERutaInvalida);
    }
}

TEST(ControlArch, DirectOperations) {
    DataFolder f;
    vcl::TComponent owner(nullptr);
    auto* c = new TControlArch(&owner);
    c->SetRutaBD(f.dir.path);
    c->SetRutaTablas(f.tablas);
    c->SetRutaCampos(f.campos);
    int created = 0;
    c->OnCreaBD = [&](vcl::TObject* sender) {
        EXPECT_EQ(sender, &owner);
        ++created;
    };
    EXPECT_EQ(c->VerificaTabla("VENTAS.db"), 0);
    EXPECT_EQ(c->CreaBD(), 0);
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(std::filesystem::exists(f.dir.path + "TIENDAS.db"));

    vcl::ScriptDriver driver;
    vcl::DriverScope scope(driver);
    c->CreaIndice("NOESTA", "VENTAS.db", "VENTAS");
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].request.text,
              "No se encontro el Indice NOESTA en el Diccionario de datos\no el tipo de tabla no existe");
    ASSERT_EQ(Sql(f.dir.path + "VENTAS.db", "DROP INDEX XFECHA"), SQLITE_OK);
    c->CreaIndice("XFECHA", "VENTAS.db", "VENTAS");
    EXPECT_EQ(driver.Messages().size(), 1u) << "created without a message";
    EXPECT_EQ(Scalar(f.dir.path + "VENTAS.db", "SELECT count(*) FROM sqlite_master WHERE name = 'XFECHA'"), 1);

    // The image list going away is noticed.
    auto* images = new vcl::TImageList(&owner);
    c->SetImages(images);
    vcl::Free(images);
    EXPECT_EQ(c->Imagenes(), nullptr);
}

TEST(ControlArch, FailedCreationDoesNotCallOnCreaBD) {
    DataFolder f;
    auto e = OpenEngine(f.dir.path, DicBuilder().Tabla(1, "MALA").Campo(1, "A", 2).d);
    TControlArch c(nullptr);
    c.SetRutaBD(f.dir.path);
    c.SetRutaTablas(f.tablas);
    c.SetRutaCampos(f.campos);
    bool called = false;
    c.OnCreaBD = [&](vcl::TObject*) { called = true; };
    EXPECT_EQ(c.CreaBD(), 3);
    EXPECT_FALSE(called);
}

TEST(ControlArch, FolderNamesAbbreviated) {
    EXPECT_EQ(AbreviaRuta("/datos/tiendas"), "/datos/tiendas");
    const std::string longPath = "/home/usuario/empresa/sucursales/centro/datos/punto_de_venta/tablas";
    const std::string shown = AbreviaRuta(longPath);
    EXPECT_EQ(shown.substr(0, 5), "/ho..");
    EXPECT_EQ(shown.substr(5), longPath.substr(longPath.size() - 40).substr(longPath.substr(longPath.size() - 40).find('/')));
}

}  // namespace
}  // namespace tablemaint::testing
