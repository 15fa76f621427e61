// The nine catalogue dialogs: seven listed between two keys of one table, and the registers
// and users of one store. Each lives in its own file with its entry point.
#pragma once

#include <memory>

#include "platform/db/query.h"
#include "platform/db/table.h"
#include "platform/vcl/lists.h"
#include "platform/db/list_source.h"
#include "reports/framework/range_catalogue.h"

namespace reportes {

class TfrmCatTie : public TfrmCatalogoRango {
public:
    explicit TfrmCatTie(vcl::TComponent* owner);
};

class TfrmCatDisp : public TfrmCatalogoRango {
public:
    explicit TfrmCatDisp(vcl::TComponent* owner);
};

class TfrmCatForPag : public TfrmCatalogoRango {
public:
    explicit TfrmCatForPag(vcl::TComponent* owner);
    vcl::TComboBox* cmbOrden;

protected:
    void AlAbrirDataset(report::Dataset& ds) override;
    void AlCargarReporte(report::Report& r) override;
};

class TfrmCatDepto : public TfrmCatalogoRango {
public:
    explicit TfrmCatDepto(vcl::TComponent* owner);
};

class TfrmCatLin : public TfrmCatalogoRango {
public:
    explicit TfrmCatLin(vcl::TComponent* owner);
};

class TfrmCatMone : public TfrmCatalogoRango {
public:
    explicit TfrmCatMone(vcl::TComponent* owner);
};

class TfrmCatEsque : public TfrmCatalogoRango {
public:
    explicit TfrmCatEsque(vcl::TComponent* owner);
};

// A catalogue of one store's records (registers, users): the store lookup, two combos over
// the store's records, and Preview and Print only while the store has any.
class TfrmCatTienda : public TfrmReporte {
public:
    vcl::TDBLookupComboBox* lkcmbTiendas;
    db::TTable& Tiendas() { return *tblTiendas_; }
    db::TTable& Registros() { return *tblRegistros_; }

protected:
    // `etiquetaTienda` captions the store lookup on the first row ("&Tiendas", "&Tienda").
    TfrmCatTienda(vcl::TComponent* owner, const char* clase, const char* caption, int ayuda,
                  const char* tablaRegistros, const char* componenteRegistros,
                  const char* etiquetaTienda);
    // The store's records: filters the table and enables Preview and Print by what it holds.
    void FiltraRegistros(const std::string& tienda);
    // A caption at the left of the row whose top is `top`.
    vcl::TLabel* Etiqueta(const std::string& name, const char* caption, int top);
    // A combo over the store's records, keyed on `clave`, with its caption.
    vcl::TDBLookupComboBox* ComboRegistros(const char* name, const char* etiqueta, int top,
                                           const char* clave, const char* campos);
    // Both combos check their range on Exit and close-up.
    void ConectaRango(vcl::TDBLookupComboBox* desde, vcl::TDBLookupComboBox* hasta,
                      const char* mensaje);
    // Empty bounds become the first and last record of the store.
    void CompletaRango(vcl::TDBLookupComboBox* desde, vcl::TDBLookupComboBox* hasta,
                       const char* clave);
    std::unique_ptr<db::TTable> tblTiendas_;
    std::unique_ptr<db::TTable> tblRegistros_;
    db::TDataSetListSource fuenteTiendas_;
    db::TDataSetListSource fuenteRegistros_;
};

class TfrmCatCaj : public TfrmCatTienda {
public:
    explicit TfrmCatCaj(vcl::TComponent* owner);
    vcl::TDBLookupComboBox* lkcmbCajasDesde;
    vcl::TDBLookupComboBox* lkcmbCajasHasta;
    vcl::TComboBox* cmbOrden;
    db::TQuery qryCajas;

protected:
    std::string ArchivoReporte() override { return "RCajas.QR2"; }
    void AlPulsarReporte() override;

private:
    void MuestraTienda(bool elegida);
};

class TfrmCatUsr : public TfrmCatTienda {
public:
    explicit TfrmCatUsr(vcl::TComponent* owner);
    vcl::TDBLookupComboBox* lkcmbUsuaDesde;
    vcl::TDBLookupComboBox* lkcmbUsuaHasta;

protected:
    std::string ArchivoReporte() override { return "RUsuario.QR2"; }
    void AlPulsarReporte() override;
};

}  // namespace reportes
