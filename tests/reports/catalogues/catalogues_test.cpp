#include <regex>

#include "host/velmor/help.h"
#include "platform/6_schema/tables.h"
#include "tests/reports/report_fixture.h"

extern "C" {
void RTiendas(const char*, const char*, bool);
void RCajas(const char*, const char*, bool);
void RTipoPagos(const char*, const char*, bool);
void RUsuarios(const char*, const char*, bool);
void RDepartamentos(const char*, const char*, bool);
void RLineas(const char*, const char*, bool);
void RDispositivos(const char*, const char*, bool);
void RMonedas(const char*, const char*, bool);
void REsquema(const char*, const char*, bool);
}

namespace {

using Row = db::BatchWriter::Row;

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }
// Words of a heading line, whatever blanks the character grid puts between them.
bool HasWords(const std::string& text, const std::string& a, const std::string& b) {
    return std::regex_search(text, std::regex(a + " +" + b));
}

class Catalogues : public ReportTest {
protected:
    void Stores() {
        Fill(tables::Tiendas(), {Row{"01", "Centro", "Madero 12", "México", "5550001"},
                                 Row{"02", "Norte", "Av. Norte 4", "Monterrey", "8180002"},
                                 Row{"03", "Sur", "Calle Sur 9", "Mérida", "9990003"}});
    }
};

TEST_F(Catalogues, StoresWithNoRangeListEveryStoreAndShowTheBoundsInTheHeading) {
    Stores();
    auto d = Play(RTiendas, "click btnPreview\nclick btnCancelar");
    ASSERT_EQ(Previews().size(), 1u) << d->Failures().size();
    const std::string& t = Previews()[0];
    EXPECT_TRUE(Has(t, "Comercial de Prueba"));
    EXPECT_TRUE(Has(t, "Catálogo de tiendas"));
    EXPECT_TRUE(HasWords(t, "Desde:", "01")) << t;
    EXPECT_TRUE(HasWords(t, "Hasta:", "03")) << t;
    for (const char* s : {"Centro", "Norte", "Sur"}) EXPECT_TRUE(Has(t, s)) << s;
    EXPECT_TRUE(HasWords(t, "Total de registros:", "3")) << t;
    EXPECT_TRUE(report::OpenPreviews().empty()) << "Cancel closes the preview";
}

TEST_F(Catalogues, StoresBetweenTwoChosenKeysListOnlyThose) {
    Stores();
    Play(RTiendas, "pick lkcmbTieDesde 02\npick lkcmbTieHasta 03\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const std::string& t = Previews()[0];
    EXPECT_FALSE(Has(t, "Centro"));
    EXPECT_TRUE(Has(t, "Norte"));
    EXPECT_TRUE(Has(t, "Sur"));
}

TEST_F(Catalogues, AnEmptyCatalogueShowsTodasWithBlankCaptionsAndOnlyItsHeading) {
    Fill(tables::Tiendas(), {});
    Play(RTiendas, "click btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const std::string& t = Previews()[0];
    EXPECT_TRUE(Has(t, "Todas")) << t;
    EXPECT_FALSE(Has(t, "Desde:"));
    EXPECT_TRUE(HasWords(t, "Total de registros:", "0")) << t;
}

TEST_F(Catalogues, InvertedRangeIsCopiedLeavingTheInitialComboAndWarnedLeavingTheFinalOne) {
    Stores();
    // Leaving the initial combo above the final one copies its key, without a message.
    auto d = Play(RTiendas, "pick lkcmbTieHasta 01\npick lkcmbTieDesde 03\nfocus btnPreview");
    EXPECT_TRUE(d->Messages().empty());
    // Choosing a final key below the initial one warns.
    d = Play(RTiendas, "pick lkcmbTieDesde 03\npick lkcmbTieHasta 01");
    ASSERT_EQ(d->Messages().size(), 1u);
    EXPECT_EQ(d->Messages()[0].request.text, "La clave de la tienda inicial no debe ser mayor a la final");
    EXPECT_EQ(d->Messages()[0].request.caption, "Advertencia");
    EXPECT_EQ(d->Messages()[0].request.icon, vcl::MsgIcon::Information);
    // Leaving an inverted final combo warns, unless the focus is on its way to Cancel.
    const std::string inverted = "pick lkcmbTieDesde 03\npress Up\npress Up\n";
    d = Play(RTiendas, inverted + "focus btnPreview");
    EXPECT_EQ(d->Messages().size(), 1u);
    d = Play(RTiendas, inverted + "focus btnCancelar\nclick btnCancelar");
    EXPECT_TRUE(d->Messages().empty());
    EXPECT_FALSE(d->EndedWithFormOpen());
}

TEST_F(Catalogues, OnlyOnePreviewAtATime) {
    Stores();
    Play(RTiendas, "click btnPreview\nclick btnPreview");
    EXPECT_EQ(Previews().size(), 1u);
    EXPECT_EQ(report::OpenPreviews().size(), 1u);
}

TEST_F(Catalogues, AMissingLayoutDoesNothing) {
    Stores();
    fs::remove(dir_ / "Reportes" / "RTiendas.QR2");
    auto d = Play(RTiendas, "click btnPreview\nclick btnImprimir");
    EXPECT_TRUE(Previews().empty());
    EXPECT_TRUE(d->Messages().empty());
    EXPECT_TRUE(d->EndedWithFormOpen()) << "the dialog stays open";
}

TEST_F(Catalogues, PrintAfterTheSetUpOrNothingWhenItIsCancelled) {
    Stores();
    const fs::path pdf = dir_ / "impreso.pdf";
    // Cancelled set-up: nothing printed, the dialog still open and usable.
    auto d = Play(RTiendas, "click btnImprimir\nclick btnCancelar\nfocus lkcmbTieDesde");
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_TRUE(d->EndedWithFormOpen());
    EXPECT_TRUE(d->Failures().empty()) << d->Failures().front();
    // Accepted: the job goes to the file and the dialog closes.
    d = Play(RTiendas, "click btnImprimir\nset cmbImpresora=file\nset edtArchivo=" + pdf.string() +
                           "\nclick btnAceptar");
    EXPECT_TRUE(fs::exists(pdf));
    EXPECT_FALSE(d->EndedWithFormOpen());
}

TEST_F(Catalogues, EscapeClosesAnOpenListFirstAndTheDialogSecond) {
    Stores();
    auto d = Play(RTiendas, "drop lkcmbTieDesde\npress Escape");
    EXPECT_TRUE(d->EndedWithFormOpen());
    d = Play(RTiendas, "drop lkcmbTieDesde\npress Escape\npress Escape");
    EXPECT_FALSE(d->EndedWithFormOpen());
}

TEST_F(Catalogues, HelpOpensTheTopicOfTheDialog) {
    Stores();
    Play(RTiendas, "click btnAyuda");
    EXPECT_EQ(velmor::LastHelpAddress(), (dir_ / "Razir.chm::/194.htm").string());
}

TEST_F(Catalogues, PaymentTypesSortedByHotKeyShowShortcutNames) {
    Fill(tables::TPagos(), {Row{"01", "Efectivo", 116, "MN"},     // F5
                            Row{"02", "Tarjeta", 0x4041, "MN"},  // Ctrl+A
                            Row{"03", "Vales", 113, "MN"}});     // F2
    Play(RTipoPagos, "pick cmbOrden Tecla\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    const std::string& t = Previews()[0];
    EXPECT_TRUE(Has(t, "F5"));
    EXPECT_TRUE(Has(t, "Ctrl+A"));
    EXPECT_FALSE(Has(t, "16449"));
    // Ordered by the stored code: F2 (113), F5 (116), Ctrl+A (16449).
    EXPECT_LT(t.find("Vales"), t.find("Efectivo"));
    EXPECT_LT(t.find("Efectivo"), t.find("Tarjeta"));
}

TEST_F(Catalogues, RegistersOfTheStoreGivenByTheHost) {
    Stores();
    Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "Ticket40.nta", 1, "001", 0, 0, 0},
                           Row{"01", "02", "Caja dos", "Nota80.nta", 0, "002", 0, 0, 0},
                           Row{"02", "01", "Caja norte", "Ticket40.nta", 0, "001", 0, 0, 0}});
    Play(RCajas, "click btnPreview", "01", "Centro");
    ASSERT_EQ(Previews().size(), 1u);
    const std::string& t = Previews()[0];
    EXPECT_TRUE(Has(t, "01  Centro"));
    EXPECT_TRUE(Has(t, "Madero 12"));
    EXPECT_TRUE(Has(t, "Caja uno"));
    EXPECT_TRUE(Has(t, "Caja dos"));
    EXPECT_FALSE(Has(t, "Caja norte"));
}

TEST_F(Catalogues, RegistersCalledWithNoStoreStayDisabledUntilOneIsChosen) {
    Stores();
    Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "Ticket40.nta", 0, "001", 0, 0, 0}});
    auto d = Play(RCajas, "click btnPreview");
    EXPECT_TRUE(Previews().empty());
    EXPECT_FALSE(d->Failures().empty()) << "the disabled button cannot be clicked";
    Play(RCajas, "pick lkcmbTiendas Centro\nclick btnPreview");
    EXPECT_EQ(Previews().size(), 1u);
}

TEST_F(Catalogues, AStoreCodeHoldingAQuoteIsAValueNotSql) {
    Fill(tables::Tiendas(), {Row{"0'", "Comilla", "", "", ""}});
    Fill(tables::Usuarios(), {Row{"001", "Ana", "ana", "0'", "C"}, Row{"002", "Luis", "luis", "01", "C"}});
    auto d = Play(RUsuarios, "click btnPreview", "0'", "Comilla");
    ASSERT_EQ(Previews().size(), 1u) << (d->Messages().empty() ? "" : d->Messages()[0].request.text);
    EXPECT_TRUE(Has(Previews()[0], "Ana"));
    EXPECT_FALSE(Has(Previews()[0], "Luis"));
}

TEST_F(Catalogues, LinesWithPercentInTheirKeysStayValues) {
    Fill(tables::Lineas(), {Row{"A%", "Con porcentaje"}, Row{"AB", "Sin porcentaje"},
                            Row{"B_", "Con guion"}});
    Play(RLineas, "pick lkcmbDispoIni A%\npick lkcmbDispoFin A%\nclick btnPreview");
    ASSERT_EQ(Previews().size(), 1u);
    EXPECT_TRUE(Has(Previews()[0], "Con porcentaje"));
    EXPECT_FALSE(Has(Previews()[0], "Sin porcentaje"));
}

}  // namespace

namespace {

// Regression: after another store was chosen the register range kept the old store's keys,
// so the report came out empty.
TEST_F(Catalogues, RegistersChoosingAnotherStoreClearsTheRegisterRange) {
    Stores();
    Fill(tables::Cajas(), {Row{"01", "01", "Caja uno", "Ticket40.nta", 0, "001", 0, 0, 0},
                           Row{"01", "02", "Caja dos", "Nota80.nta", 0, "002", 0, 0, 0},
                           Row{"02", "05", "Caja norte", "Ticket40.nta", 0, "001", 0, 0, 0}});
    Play(RCajas, "pick lkcmbCajasDesde 01\npick lkcmbCajasHasta 02\npick lkcmbTiendas Norte\nclick btnPreview",
         "01", "Centro");
    ASSERT_EQ(Previews().size(), 1u);
    EXPECT_TRUE(Has(Previews()[0], "Caja norte")) << Previews()[0];
    EXPECT_FALSE(Has(Previews()[0], "Caja uno"));
}

// Regression: in the text output adjacent columns ran together ("ClaveDescripción") and
// values were cut ("Ciudad de Méx"). Every catalogue shows its widest values whole, each
// column apart from the next.
TEST_F(Catalogues, TextOutputShowsEveryValueWholeWithABlankBetweenColumns) {
    Stores();
    fs::remove(dir_ / "datos" / "Tiendas.DB");
    Fill(tables::Tiendas(), {Row{"01", "Tienda Centro", "Av. Reforma 2195", "Ciudad de México", "55 0100 0100"}});
    Fill(tables::Cajas(), {Row{"01", "01", "Caja 1 Centro", "Nota80.nta", 0, "002", 0, 0, 0}});
    Fill(tables::Dispos(), {Row{"001", "Impresora de tickets de 40 columnas", "PARALELO", "LPT02", 6, 3, 2, 0,
                                "", "", "", "", "", "", "", "", 2}});
    Fill(tables::TPagos(), {Row{"01", "Tarjeta de crédito", 113, "01"}});
    Fill(tables::Usuarios(), {Row{"013", "Guadalupe Núñez", "Vend013", "01", "D"}});
    Fill(tables::Deptos(), {Row{"ABA", "Abarrotes"}});
    Fill(tables::Lineas(), {Row{"001", "Abarrotes A"}});
    Fill(tables::Monedas(), {Row{"02", "dólares", "US$", 17.5, 0}});
    Fill(tables::EsqImp(), {Row{"003", "IVA e IEPS sobre IVA", 16.0, 8.0, 0.0, 0.0, 1, 0, 0}});
    struct Case {
        void (*entry)(const char*, const char*, bool);
        const char* name;
        std::vector<const char*> words;  // consecutive columns, in order, each whole
    };
    const Case kCases[] = {
        {RTiendas, "stores", {"Tienda", "Descripción", "Dirección", "Población", "Teléfono"}},
        {RTiendas, "store row", {"Tienda Centro", "Av. Reforma 2195", "Ciudad de México", "55 0100 0100"}},
        {RTiendas, "page", {"Página 1", "de 1"}},
        {RCajas, "registers", {"Caja", "Descripción", "Formato de impresión", "Impresora"}},
        {RTipoPagos, "payment types", {"Clave", "Descripción", "Tecla", "Moneda"}},
        {RUsuarios, "users", {"013", "Guadalupe Núñez", "Vend013"}},
        {RDepartamentos, "departments", {"Departamento", "Descripción"}},
        {RLineas, "lines", {"Línea", "Descripción"}},
        {RDispositivos, "devices", {"Clave", "Descripción", "Puerto", "Nombre", "Veloc.", "Datos", "Paridad",
                                    "Parada", "Entre notas"}},
        {RDispositivos, "device row", {"001", "Impresora de tickets de 40 columnas", "PARALELO", "LPT02"}},
        {RMonedas, "currencies", {"Moneda", "Descripción", "Símbolo", "Tipo de cambio", "Base"}},
        {REsquema, "tax schemes", {"003", "IVA e IEPS sobre IVA", "16.00", "8.00"}},
    };
    for (const auto& c : kCases) {
        sink_->texts.clear();
        Play(c.entry, "click btnPreview\nclick btnCancelar", "01", "Centro");
        ASSERT_EQ(Previews().size(), 1u) << c.name;
        std::string pattern;
        for (const char* w : c.words) pattern += (pattern.empty() ? "" : " +") + std::string(w);
        EXPECT_TRUE(std::regex_search(Previews()[0], std::regex(pattern))) << c.name << "\n" << Previews()[0];
    }
}

}  // namespace
