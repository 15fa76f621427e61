// Note data: lookups, typed access through the locale, rows in step, errors and the link
// between data and report.
#include "notes/ntadatos.h"

#include <gtest/gtest.h>

#include "notes/report.h"

namespace notix {
namespace {

template <typename F>
std::string ErrorOf(F f) {
    try {
        f();
    } catch (const EError& e) {
        return e.what();
    }
    return "(sin error)";
}

TEST(TCampos, LookupIgnoresCaseButTheEngineMatchesExactly) {
    TNtaDatos d;
    d.Campos().Add().SetNombre("SubTotal");
    d.Campos().Add().SetNombre("Año");
    d.SetAsString("subtotal", "$10.00");
    EXPECT_EQ(d.GetAsString("SubTotal"), "$10.00");
    EXPECT_EQ(&d.PorNombre("AÑO"), &d.Campos().GetCampo(1));
    EXPECT_EQ(d.Campos().BuscarExacto("subtotal"), nullptr);
    EXPECT_EQ(ErrorOf([&] { d.PorNombre("Total"); }), "Campo no existente");
}

TEST(TCampo, NameCarriesTheDescriptionUntilItIsItsOwn) {
    TCampos c;
    TCampo& f = c.Add();
    f.SetNombre("Total");
    EXPECT_EQ(f.Descripcion, "Total");
    f.SetNombre("TotalVenta");
    EXPECT_EQ(f.Descripcion, "TotalVenta");
    f.Descripcion = "Total de la venta";
    f.SetNombre("Otro");
    EXPECT_EQ(f.Descripcion, "Total de la venta");

    TCampos unnamed;
    unnamed.Add();
    unnamed.Add();
    unnamed.Add();
    EXPECT_EQ(unnamed.Add().GetDisplayName(), "Campo3");
    EXPECT_EQ(unnamed.GetCampo(3).Nombre(), "Campo3");
    TCamposDetalle cols;
    EXPECT_EQ(cols.Add().GetDisplayName(), "CampoDetalle0");
}

TEST(TCampo, TypedAccessThroughTheLocale) {
    TNtaDatos d;
    TCampo& f = d.Campos().Add();
    f.SetAsFloat(1234.5);
    EXPECT_EQ(f.GetAsString(), "1234.5");
    d.Formatos.DecimalSeparator = ',';
    d.Formatos.ThousandSeparator = '.';
    f.SetAsFloat(0.1);
    EXPECT_EQ(f.GetAsString(), "0,1");
    EXPECT_EQ(f.GetAsFloat(), 0.1);
    f.SetAsString("1.5");
    EXPECT_THROW(f.GetAsFloat(), text::ConvertError);
    f.SetAsInteger(-42);
    EXPECT_EQ(f.GetAsInteger(), -42);
    f.SetAsString("4x");
    EXPECT_THROW(f.GetAsInteger(), text::ConvertError);
    f.SetAsDateTime(text::EncodeDate(2026, 3, 9) + text::EncodeTime(14, 5, 0));
    EXPECT_EQ(f.GetAsString(), "09/03/2026 14:05:00");
    EXPECT_EQ(f.GetAsDateTime(), text::EncodeDate(2026, 3, 9) + text::EncodeTime(14, 5, 0));
    f.SetAsDateTime(text::EncodeDate(2026, 12, 31));
    EXPECT_EQ(f.GetAsString(), "31/12/2026");
    f.SetAsString("31/02/2026");
    EXPECT_THROW(f.GetAsDateTime(), text::ConvertError);
    f.SetAsString("t");
    EXPECT_FALSE(f.GetAsBoolean());
    f.SetAsString("T");
    EXPECT_TRUE(f.GetAsBoolean());
    f.SetAsBoolean(false);
    EXPECT_EQ(f.GetAsString(), "F");
}

TEST(TCampo, EsCero) {
    text::FormatSettings fs;  // "$", ',' thousands, '.' decimals
    struct Case {
        const char* value;
        bool zero;
    };
    const Case cases[] = {
        {"$0.00", true},     {"$1,000.00", false}, {"$ 0", true},
        {"1.00", true},      // the first character goes whatever it is: ".00"
        {"", true},          {"$", true},          {"$   ", true},
        {"$-0.5", false},
    };
    for (const auto& c : cases) EXPECT_EQ(EsCeroTexto(c.value, fs), c.zero) << c.value;
    EXPECT_THROW(EsCeroTexto("$abc", fs), text::ConvertError);
    fs.CurrencyString = "MXN";
    EXPECT_TRUE(EsCeroTexto("MXN0.00", fs));
}

TEST(TCamposDetalle, RowsMoveInStep) {
    TNtaDatos d;
    TCamposDetalle& cols = d.CamposDetalle();
    EXPECT_EQ(ErrorOf([&] { cols.Append(); }), "No existen campos para añadir");
    EXPECT_EQ(ErrorOf([&] { cols.GetIndice(); }), "No existen campos definidos");
    EXPECT_EQ(ErrorOf([&] { cols.SetIndice(0); }), "No existen campos definidos");
    EXPECT_EQ(ErrorOf([&] { cols.Delete(0); }), "No existen campos para borrar");
    EXPECT_EQ(ErrorOf([&] { cols.InsertBlank(0); }), "No existen campos para insertar blancos");
    EXPECT_EQ(ErrorOf([&] { cols.LimpiarCampos(); }), "No existen campos para limpiar");

    cols.Add().SetNombre("Cantidad");
    cols.Add().SetNombre("Descripcion");
    EXPECT_EQ(cols.Append(), 0);
    cols.SetAsString("cantidad", "1");
    EXPECT_EQ(cols.Append(), 1);
    cols.SetAsString("Cantidad", "2");
    EXPECT_EQ(cols.GetIndice(), 1);
    EXPECT_EQ(cols.GetCampoDetalle(1).GetContador(), 2);

    TCampoDetalle& late = cols.Add();  // joins with as many rows as the others
    late.SetNombre("TPartida");
    EXPECT_EQ(late.GetContador(), 2);
    EXPECT_EQ(late.Actual(), 1);

    EXPECT_EQ(cols.GetDetalle(0, "Cantidad").GetAsString(), "1");
    EXPECT_EQ(cols.GetCampoDetalle(1).Actual(), 1);  // only the named column moved

    cols.SetIndice(1);
    cols.Delete(1);  // the current row moves up
    EXPECT_EQ(cols.GetIndice(), 0);
    cols.Delete(0);
    EXPECT_EQ(cols.GetIndice(), -1);
    EXPECT_EQ(ErrorOf([&] { cols.Delete(0); }), "No existe el dato a borrar");
    EXPECT_THROW(cols.GetAsString("Cantidad"), std::out_of_range);  // no current row

    cols.InsertBlank(0);  // equal to the count: appends
    EXPECT_EQ(cols.Contador(), 1);
    EXPECT_EQ(ErrorOf([&] { cols.InsertBlank(2); }),
              "No se puede insertar el dato en esta posición");
    EXPECT_EQ(cols.Contador(), 1);  // nothing changed
    cols.LimpiarCampos();
    EXPECT_EQ(cols.Contador(), 0);
    EXPECT_EQ(cols.GetIndice(), -1);
}

TEST(TCampoDetalle, RowOperationsOnOneColumn) {
    TCampoDetalle c;
    c.Append();
    c.Append();
    c.SetAsString("b");
    c.InsertBlank(1);
    EXPECT_EQ(c.Actual(), 1);
    EXPECT_EQ(c.Valores(), (std::vector<std::string>{"", "", "b"}));
    EXPECT_EQ(ErrorOf([&] { c.Delete(3); }), "No existe el dato a borrar");
    EXPECT_EQ(ErrorOf([&] { c.Delete(-1); }), "No existe el dato a borrar");
    c.LimpiarCampo();
    EXPECT_EQ(c.Actual(), -1);
    EXPECT_EQ(c.GetContador(), 0);
}

TEST(TNtaDatos, LineByLineIsNeverOnInWindowsMode) {
    TNtaDatos d;
    d.SetImpresionEnLinea(true);
    EXPECT_TRUE(d.ImpresionEnLinea());
    d.SetModoImpresion(mWindows);
    EXPECT_FALSE(d.ImpresionEnLinea());
    d.SetImpresionEnLinea(true);
    EXPECT_FALSE(d.ImpresionEnLinea());
    d.SetModoImpresion(mDriver);
    d.SetImpresionEnLinea(true);
    EXPECT_TRUE(d.ImpresionEnLinea());
}

TEST(TNtaDatos, AssigningCollectionsCopiesTheItems) {
    TNtaDatos a, b;
    a.Campos().Add().SetNombre("Folio");
    a.SetAsString("Folio", "A-1");
    a.CamposDetalle().Add().SetNombre("Cantidad");
    a.CamposDetalle().Append();
    b.SetCampos(a.Campos());
    b.SetCamposDetalle(a.CamposDetalle());
    a.SetAsString("Folio", "A-2");
    EXPECT_EQ(b.GetAsString("Folio"), "A-1");
    EXPECT_EQ(b.CamposDetalle().Contador(), 1);
    EXPECT_EQ(b.Campos().GetCampo(0).Index(), 0);
}

TEST(TNtaDatos, DataAndReportForgetEachOtherWhenEitherGoes) {
    auto datos = std::make_unique<TNtaDatos>();
    auto reporte = std::make_unique<TNtaReporte>();
    datos->SetNotaReporte(reporte.get());
    EXPECT_EQ(reporte->Datos(), datos.get());
    datos.reset();
    EXPECT_EQ(reporte->Datos(), nullptr);

    TNtaDatos one, two;
    {
        TNtaReporte r;
        one.SetNotaReporte(&r);
        two.SetNotaReporte(&r);
        EXPECT_EQ(r.Datos(), &two);  // the last link wins the back-reference
        two.SetNotaReporte(nullptr);
        EXPECT_EQ(r.Datos(), nullptr);
        EXPECT_EQ(one.NotaReporte(), &r);
    }
    EXPECT_EQ(one.NotaReporte(), nullptr);  // told when the report went

    {  // owned by a form-like owner: destroyed with it, the data forgets it
        vcl::TComponent owner(nullptr);
        auto* r = new TNtaReporte(&owner);
        two.SetNotaReporte(r);
    }
    EXPECT_EQ(two.NotaReporte(), nullptr);
    one.ImprimirNota();  // without a report: nothing happens

    TNtaReporte alone;
    EXPECT_EQ(ErrorOf([&] { alone.ImprimirNota(); }), "No se encuentra ligado al componente de datos");
}

TEST(TCamposDetalle, PostWithoutLineByLinePrintsNothing) {
    TNtaDatos d;
    TNtaReporte r;  // its port is not even named: any print attempt would throw
    r.SetMapaDePuertos({{"COM1", "/dev/no-such-dir/x"}});
    d.SetNotaReporte(&r);
    d.CamposDetalle().Add().SetNombre("Cantidad");
    d.CamposDetalle().Append();
    EXPECT_NO_THROW(d.CamposDetalle().Post());
}

}  // namespace
}  // namespace notix
