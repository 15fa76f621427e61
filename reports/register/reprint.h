// The reprint of sales notes (RImpresionNotas): one register, one day, a range of note numbers
// and optionally one cashier, printed again through the note engine on the register's own
// printer (a ticket printer on a port, or a system printer through the report component).
// Not here: laying out or sending a note (notes/), the day files' names (tables.h).
#pragma once

#include <string>

#include "host/velmor/vlmedit.h"
#include "notes/ntadatos.h"
#include "notes/report.h"
#include "platform/4_adapters/db/list_source.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/panels.h"
#include "reports/framework/dialog.h"
#include "reports/framework/store_picker.h"

namespace reportes {

class TfrmRImpNotas : public TfrmReporte {
public:
    explicit TfrmRImpNotas(vcl::TComponent* owner);

    SelectorTienda tienda;
    vcl::TDBLookupComboBox* lkcmbTiendas;
    vcl::TDBLookupComboBox* lkcmbCajas;
    velmor::TVlmEdit* edtFecDesde;
    vcl::TGroupBox* grpNotas;
    vcl::TDBLookupComboBox* lkcmbNotaDesde;
    vcl::TDBLookupComboBox* lkcmbNotaHasta;
    vcl::TGroupBox* GroupBox1;
    vcl::TDBLookupComboBox* lkcmbCajero;

    notix::TNtaDatos* DatosNota;  // owned by the form
    notix::TNtaReporte* ImpNota;  // owned by the form

    db::TTable tblCajas, tblUsuarios, tblVenta, tblDetalle, tblDispo, tblCatInven,
        tblPagos, tblMonedas;

protected:
    std::string ArchivoReporte() override { return ImpNota->FormatoDeImpresion; }
    // Printing (the Print button): the notes of the range on the register's printer.
    void Imprimir() override;

private:
    // Opening and the criteria handlers (TfrmRImpNotas.cpp).
    void FormCreate();
    void FormActivate();
    void CambiaTienda(const std::string& codigo);
    void lkcmbCajasExit();
    void edtFecDesdeExit();
    void SigueElDia();
    void lkcmbNotaDesdeExit(vcl::TObject* sender);
    void lkcmbCajeroEnter();
    void lkcmbCajeroExit();
    // The chosen day's sales file on the note lookups, with its first and last note.
    void AbreNotasDelDia();
    std::string ClaveArchivos() const;
    std::string Archivo(char letra) const;
    bool ExisteArchivo(const std::string& nombre) const;
    // The filter of the valid notes of the register.
    std::string FiltroNotas() const;

    // The register's printer from Dispos (device_setup.cpp).
    void ConfiguraImpresora();

    // One note's header and detail rows from the day files (note_fill.cpp).
    void DefineCampos();
    void LlenaEncabezado();
    void LlenaDetalle(const std::string& nota);
    // Printing through a system printer with the register's layout (windows_print.cpp).
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;
    void ImprimeEnWindows();
    std::string Dinero(double importe) const;
    std::string ImporteSimple(double importe) const;
    std::string MonedaBase();

    std::string strCaja, strNomCaja, strCajero, strNickCajero;
    text::TDateTime fecha_ = 0;
    bool archivosPorTienda_ = false;
    std::string archVenta_, archDetalle_, archImpuestos_;
    std::string rangoDe_;  // the sales file and register the note range was filled for
    std::string notaActual_;
    bool nombreManejador_ = false;  // NOMPUERTO "MANEJ": a system printer prints the notes

    db::TDataSetListSource fuenteCajas_, fuenteNotas_, fuenteUsuarios_;
};

}  // namespace reportes
