// Reprinting through a system printer: each note of the range is printed with the register's
// layout by the dialog's report component, whose datasets read that one note of the day files
// and whose labels carry the company, the change, the item count and the amount in words.
// Not here: port printing (TfrmRImpNotas.cpp), the note's fields (note_fill.cpp).
#include <array>
#include <cctype>
#include <filesystem>

#include "notes/amountx.h"
#include "platform/2_db/quote.h"
#include "platform/3_report/item.h"
#include "platform/3_report/names.h"
#include "platform/3_report/printers.h"
#include "platform/2_vcl/application.h"
#include "reports/framework/config.h"
#include "reports/register/reprint.h"

namespace reportes {

void TfrmRImpNotas::AlAbrirDataset(report::Dataset& ds) {
    // Every value is quoted: a note number or register code stays a value.
    const std::string caja = db::QuoteValue(strCaja), nota = db::QuoteValue(notaActual_);
    const std::string& n = ds.Name();
    std::string sql;
    if (report::SameName(n, "QueryNotas")) {
        sql = "Select V.*, Usr.Nick From " + archVenta_ + " V, Usuarios Usr Where V.CAJA like " + caja +
              " And V.NOTA = " + nota + " AND V.Cajero = Usr.Usuario";
    } else if (report::SameName(n, "Productos")) {
        // The detail of the note being printed only: with per-store day files the same
        // number may be another register's note, so the register is part of the match.
        sql = "Select Detalle.*, Inve.Descripcio from " + archDetalle_ +
              " Detalle , CatInven Inve Where Detalle.Producto = Inve.Producto And Detalle.Caja = " + caja +
              " And Detalle.Nota = " + nota;
    } else if (report::SameName(n, "Impuestos")) {
        sql = "Select I.* From " + archImpuestos_ + " I Where I.CAJA like " + caja + " And I.NOTA = " + nota + " ";
    } else {
        for (int k = 1; k <= 4; ++k) {
            const std::string K = std::to_string(k);
            if (!report::SameName(n, "FormaPago" + K)) continue;
            sql = "Select F.Descripcio as Descripcion" + K + ", V.MontoPago" + K + ", V.Autoriza" + K +
                  ", V.NumDoc" + K + ", V.FecVenc" + K + " from TPagos F ," + archVenta_ +
                  " V Where V.CAJA like " + caja + " And V.NOTA = " + nota + " AND V.TPago" + K + " = F.TPago";
        }
    }
    if (sql.empty()) return;
    ds.Close();
    ds.DatabaseName = kAlias;
    ds.SQL = {sql};
}

void TfrmRImpNotas::AlCargarReporte(report::Report& r) {
    const auto& cfg = Configuracion();
    r.SetCaption("lblRFC", "RFC: " + cfg.RFCEmpresa);
    r.SetCaption("lblCP", "CP: " + cfg.CPEmpresa);
    r.SetCaption("lblCambio", DatosNota->GetAsString("Cambio"));
    r.SetCaption("lblArtVendidos", DatosNota->GetAsString("ArtVendidos"));
    notix::TAmountx letras;
    letras.Leyend2 = DatosNota->GetAsString("Moneda");
    letras.SetNumber(text::StrToFloat(DatosNota->GetAsString("Letras"), DatosNota->Formatos));
    r.SetCaption("lblCantidad", letras.InText());
    r.SetCaption("lblStatus", "REIMPRESA");
    const auto& f = DatosNota->Formatos;
    const std::string miles = std::string(" ###") + f.ThousandSeparator + "##0" + f.DecimalSeparator;
    r.SetDisplayMask("lblCantidadProd",
                     miles + std::string(static_cast<std::size_t>(std::max<int>(0, cfg.DecCantidad)), '0'));
    const std::string dinero =
        f.CurrencyString + miles + std::string(static_cast<std::size_t>(std::max(0, f.CurrencyDecimals)), '0');
    for (const char* n : {"lblPrecUni", "lblTotPar", "SubTotal", "lblDescuento", "lblTotNota", "lblMontoImp",
                          "lblPago1", "lblPago2", "lblPago3", "lblPago4", "Imp1", "Imp2", "Imp3", "Imp4"})
        r.SetDisplayMask(n, dinero);
    const std::string* impuestos[] = {&cfg.NomImpuesto1, &cfg.NomImpuesto2, &cfg.NomImpuesto3, &cfg.NomImpuesto4};
    for (int k = 1; k <= 4; ++k) r.SetCaption("lblImp" + std::to_string(k), *impuestos[k - 1]);
    // The tax lines carry the tax's number (1 to 4); the note shows its configured name.
    if (auto* impuesto = r.Find<report::DataField>("Impuesto")) {
        std::array<std::string, 4> nombres{};
        for (int k = 0; k < 4; ++k) nombres[static_cast<std::size_t>(k)] = *impuestos[k];
        impuesto->OnGetText = [nombres](const report::Value& v, std::string& text) {
            const double k = report::IsNumber(v) ? report::ToNumber(v) : 0;
            text = k >= 1 && k <= 4 ? nombres[static_cast<std::size_t>(k) - 1] : std::string();
        };
    }
}

void TfrmRImpNotas::ImprimeEnWindows() {
    const bool aArchivo = ImpNota->NombredeImpresora() == report::kFileDestination;
    for (tblVenta.First(); !tblVenta.Eof(); tblVenta.Next()) {
        notaActual_ = tblVenta.FieldByName("Nota").AsString();
        if (aArchivo) {
            // Printed to a file, each note gets its own beside the program, named after the
            // layout and the note, so one note never overwrites the one before.
            std::string nota = notaActual_;
            for (auto& c : nota)
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
            rppdlg->Printer.filePath = vcl::Application->ExeFolder() +
                                       std::filesystem::path(ImpNota->FormatoDeImpresion).stem().string() +
                                       "-" + nota + ".pdf";
        }
        LlenaEncabezado();
        DatosNota->CamposDetalle().LimpiarCampos();
        LlenaDetalle(notaActual_);
        DatosNota->ImprimirNota();
    }
}

}  // namespace reportes
