// The nine catalogue dialogs: seven listed between two keys of one table, and the registers
// and users of one store. Each lives in its own file with its entry point.
#pragma once

#include <memory>

#include "platform/2_db/query.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/lists.h"
#include "platform/4_adapters/db/list_source.h"
#include "reports/framework/range_catalogue.h"
#include "reports/framework/store_picker.h"

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
    SelectorTienda tienda;
    vcl::TDBLookupComboBox* lkcmbTiendas;
    vcl::TDBLookupComboBox* lkcmbDesde;
    vcl::TDBLookupComboBox* lkcmbHasta;
    db::TTable& Registros() { return tblRegistros_; }

    // What one store's catalogue names: the store caption on the first row ("&Tiendas",
    // "&Tienda"), its records' table and the two combos over them.
    struct Registro {
        const char* clase;
        const char* caption;
        int ayuda;
        const char* etiquetaTienda;
        const char* tabla;        // "Cajas", "Usuarios.DB"
        const char* componente;   // "tblCajas"
        const char* clave;        // "Caja"
        const char* campos;       // "Caja;Descripcio"
        const char* cmbDesde;     // "lkcmbCajasDesde"
        const char* etiquetaDesde;
        const char* cmbHasta;
        const char* etiquetaHasta;
        const char* mensaje;      // the inverted-range warning
    };

protected:
    TfrmCatTienda(vcl::TComponent* owner, const Registro& r);
    // The store's records: filters the table and enables Preview and Print by what it holds.
    void FiltraRegistros(const std::string& tienda);
    // Empty bounds become the first and last record of the store.
    void CompletaRango();
    // Another store's keys mean nothing here: both bounds go blank.
    void LimpiaRango();

private:
    const char* clave_;
    db::TTable tblRegistros_;
    db::TDataSetListSource fuenteRegistros_;
};

class TfrmCatCaj : public TfrmCatTienda {
public:
    explicit TfrmCatCaj(vcl::TComponent* owner);
    vcl::TComboBox* cmbOrden;
    db::TQuery qryCajas;

protected:
    std::string ArchivoReporte() override { return "RCajas.QR2"; }
    void AlPulsarReporte() override;
    void AlPedirParametros(report::Dataset&, report::Params& params) override;
    void AlAbrirDataset(report::Dataset& ds) override;

private:
    void MuestraTienda();
};

class TfrmCatUsr : public TfrmCatTienda {
public:
    explicit TfrmCatUsr(vcl::TComponent* owner);

protected:
    std::string ArchivoReporte() override { return "RUsuario.QR2"; }
    void AlPulsarReporte() override;
    void AlPedirParametros(report::Dataset&, report::Params& params) override;
    void AlCargarReporte(report::Report& r) override;

private:
    void Habilita();
};

}  // namespace reportes
