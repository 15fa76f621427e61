// The reprint dialog: store, register, day, note range and cashier, and the Print button that
// sends the chosen notes to the register's printer. Its entry point RImpresionNotas.
#include "platform/2_db/quote.h"
#include "platform/2_db/session.h"
#include "platform/2_ports/port.h"
#include "platform/2_vcl/dialogs.h"
#include "reports/framework/config.h"
#include "reports/framework/criteria.h"
#include "reports/framework/date_edit.h"
#include "reports/framework/entry.h"
#include "reports/framework/report_table.h"
#include "platform/6_schema/tables.h"
#include "reports/register/reprint.h"

namespace reportes {
namespace {

constexpr const char* kCaption = "Reimpresión de notas";
constexpr int kAyuda = 47;
constexpr const char* kRango = "El número de la nota inicial no debe ser mayor a la final";
constexpr const char* kSinArchivo = "Archivo de ventas no existe";
constexpr const char* kSinImpresora = "Error al acceder al dispositivo favor de verificarlo";
// The valid notes: paid, and neither an advance nor a payment of the administrative system.
// A plain sale leaves TIPODOCZOD blank, which the data layer holds as null and which no "<>"
// comparison keeps: the blank case is asked for by itself, or no plain sale would reprint.
constexpr const char* kNotasValidas =
    "And (Status = 'N') And ((TIPODOCZOD Is Null) Or ((TIPODOCZOD  <> 'P') And (TIPODOCZOD  <> 'A')))";

}  // namespace

TfrmRImpNotas::TfrmRImpNotas(vcl::TComponent* owner)
    : TfrmReporte(owner, "TfrmRImpNotas", kCaption, kAyuda),
      tienda(*this, this, "Nombre de la &tienda", 12, 12, 220, 136),
      fuenteCajas_(tblCajas),
      fuenteNotas_(tblVenta),
      fuenteUsuarios_(tblUsuarios) {
    ayuda = AyudaSegunAcceso::PorAcceso;
    paginaContinua = true;
    TablaDelAlias(tblCajas, "tblCajas", "Cajas");
    TablaDelAlias(tblUsuarios, "tblUsuarios", "Usuarios.DB");
    TablaDelAlias(tblVenta, "tblVenta", "");
    TablaDelAlias(tblDetalle, "tblDetalle", "");
    TablaDelAlias(tblDispo, "tblDispo", "Dispos.DB");
    TablaDelAlias(tblCatInven, "tblCatInven", "CatInven.DB");
    TablaDelAlias(tblPagos, "tblPagos", "TPagos.DB");
    TablaDelAlias(tblMonedas, "tblMonedas", "Monedas.DB");

    lkcmbTiendas = tienda.combo;
    lkcmbCajas = NuevoLookup(this, "lkcmbCajas", &fuenteCajas_, "Caja", "Descripcio", "N&ombre de la caja",
                             12, 42, 220, 136);
    edtFecDesde = NuevaFecha(this, "edtFecDesde", "&Fecha", 12, 72, 136);

    grpNotas = vcl::NewControl<vcl::TGroupBox>(this, "grpNotas");
    grpNotas->SetCaption("Notas de venta ");
    grpNotas->SetBounds(12, 104, 356, 84);
    grpNotas->SetTabStop(true);
    lkcmbNotaDesde = NuevoLookup(grpNotas, "lkcmbNotaDesde", &fuenteNotas_, "Nota", "Nota", "&Desde", 12, 20, 260, 68);
    lkcmbNotaHasta = NuevoLookup(grpNotas, "lkcmbNotaHasta", &fuenteNotas_, "Nota", "Nota", "&Hasta", 12, 50, 260, 68);

    GroupBox1 = vcl::NewControl<vcl::TGroupBox>(this, "GroupBox1");
    GroupBox1->SetCaption("C&ajero");
    GroupBox1->SetBounds(12, 196, 356, 54);
    lkcmbCajero = NuevoLookup(GroupBox1, "lkcmbCajero", &fuenteUsuarios_, "Usuario", "Usuario;Nick", nullptr, 12, 20, 328, 0);

    // There is no preview: the notes go straight to the register's printer.
    btnPreview->SetVisible(false);
    btnPreview->SetEnabled(false);
    ColocaBotones(262);

    DatosNota = new notix::TNtaDatos(this);
    DatosNota->SetName("DatosNota");
    ImpNota = new notix::TNtaReporte(this);
    ImpNota->SetName("ImpNota");
    ImpNota->Puerto = notix::PARALELO;
    ImpNota->SetPuertoNumero("1");
    ImpNota->EspacioEntreNotas = 2;
    ImpNota->ReportPrinterQR2 = rppdlg;
    ImpNota->Secuencias.Enviar = "013";
    ImpNota->Secuencias.Inicializar = "027 064";
    ImpNota->Secuencias.SaltoDeLinea = "010";
    ImpNota->Secuencias.EtiquetaMensaje = "82 69 73 77 80 82 69 83 79";  // "REIMPRESO"
    DatosNota->SetNotaReporte(ImpNota);
    DatosNota->TipoImpresion = "R";
    DefineCampos();

    OnCreate = [this](vcl::TObject*) { FormCreate(); };
    OnActivate = [this](vcl::TObject*) { FormActivate(); };
    tienda.AlCambiar = [this](const std::string& codigo) { CambiaTienda(codigo); };
    lkcmbCajas->OnExit = [this](vcl::TObject*) { lkcmbCajasExit(); };
    edtFecDesde->OnExit = [this](vcl::TObject*) { edtFecDesdeExit(); };
    grpNotas->OnEnter = [this](vcl::TObject*) { SigueElDia(); };
    for (auto* c : {lkcmbNotaDesde, lkcmbNotaHasta})
        c->OnExit = [this](vcl::TObject* s) { lkcmbNotaDesdeExit(s); };
    lkcmbCajero->OnEnter = [this](vcl::TObject*) { lkcmbCajeroEnter(); };
    lkcmbCajero->OnExit = [this](vcl::TObject*) { lkcmbCajeroExit(); };
}

void TfrmRImpNotas::FormCreate() {
    const auto& cfg = Configuracion();
    tblUsuarios.Open();
    strCajero.clear();
    lkcmbTiendas->SetEnabled(cfg.AccesoTotal);
    edtFecDesde->SetDate(cfg.AccesoTotal ? text::Today() : cfg.FechaTrabajo);
    fecha_ = edtFecDesde->TextAsDate();
    strCaja = cfg.CajaActual;
    archivosPorTienda_ = cfg.ArchivosPorTienda;
}

void TfrmRImpNotas::FormActivate() {
    tienda.Abre();
    tblCajas.Open();
    if (strTienda.empty()) strTienda = Configuracion().TiendaActual;
    auto& tiendas = tienda.tiendas;
    if (!tiendas.Locate("Tienda", {db::Value(strTienda)})) {
        tiendas.First();
        strTienda = tiendas.Eof() ? std::string() : tiendas.FieldByName("Tienda").AsString();
    }
    if (!strTienda.empty() && tiendas.Locate("Tienda", {db::Value(strTienda)}))
        strDirTienda = tiendas.FieldByName("Direccion").AsString();
    // The store code is quoted: a code like 01 stays text and a quote in it stays a value.
    tblCajas.SetFilter("Tienda = " + db::QuoteFilterValue(strTienda));
    tblCajas.SetFiltered(true);
    lkcmbTiendas->SetKeyValue(strTienda);
    if (!tblCajas.Locate("Caja", {db::Value(strCaja)})) {
        // The station's register belongs to another store: the store's first one.
        tblCajas.First();
        strCaja = tblCajas.Eof() ? std::string() : tblCajas.FieldByName("Caja").AsString();
    }
    strNomCaja = tblCajas.Eof() ? std::string() : tblCajas.FieldByName("Descripcio").AsString();
    lkcmbCajas->SetKeyValue(strCaja);
    btnImprimir->SetEnabled(!strCaja.empty());
    AbreNotasDelDia();
}

std::string TfrmRImpNotas::ClaveArchivos() const { return archivosPorTienda_ ? strTienda : strCaja; }

std::string TfrmRImpNotas::Archivo(char letra) const {
    return tables::DayFileName(static_cast<tables::DayKind>(letra), ClaveArchivos(), fecha_);
}

bool TfrmRImpNotas::ExisteArchivo(const std::string& nombre) const {
    db::TTable t;
    t.DatabaseName = db::TSession::Default().NetDir();
    t.TableName = nombre;
    return t.Exists();
}

std::string TfrmRImpNotas::FiltroNotas() const {
    return "(Caja = " + db::QuoteFilterValue(strCaja) + ") " + kNotasValidas;
}

void TfrmRImpNotas::AbreNotasDelDia() {
    tblVenta.Close();
    lkcmbNotaDesde->ClearKeyValue();
    lkcmbNotaHasta->ClearKeyValue();
    archVenta_ = Archivo('V');
    rangoDe_ = archVenta_ + "|" + strCaja;
    // Without the day's file the note lists are empty: a lookup would open the closed table.
    const bool hay = ExisteArchivo(archVenta_);
    for (auto* c : {lkcmbNotaDesde, lkcmbNotaHasta}) c->SetListSource(hay ? &fuenteNotas_ : nullptr);
    if (!hay) return;
    tblVenta.DatabaseName = db::TSession::Default().NetDir();
    tblVenta.TableName = archVenta_;
    tblVenta.SetFilter(FiltroNotas());
    tblVenta.SetFiltered(true);
    tblVenta.Open();
    tblVenta.First();
    if (tblVenta.Eof()) return;
    lkcmbNotaDesde->SetKeyValue(tblVenta.FieldByName("Nota").AsString());
    tblVenta.Last();
    lkcmbNotaHasta->SetKeyValue(tblVenta.FieldByName("Nota").AsString());
}

// The range lists the notes of the file and register it was filled for; another day, register
// or store fills it again, so Print never reads an old range against a new file.
void TfrmRImpNotas::SigueElDia() {
    if (auto d = text::TryStrToDate(edtFecDesde->Text(), edtFecDesde->Settings())) fecha_ = *d;
    if (Archivo('V') + "|" + strCaja != rangoDe_) AbreNotasDelDia();
}

void TfrmRImpNotas::CambiaTienda(const std::string& codigo) {
    tblCajas.SetFilter("Tienda = " + db::QuoteFilterValue(codigo));
    tblCajas.SetFiltered(true);
    tblCajas.First();
    const bool hay = !tblCajas.Eof();
    lkcmbCajas->SetEnabled(hay);
    if (hay) {
        strCaja = tblCajas.FieldByName("Caja").AsString();
        strNomCaja = tblCajas.FieldByName("Descripcio").AsString();
        lkcmbCajas->SetKeyValue(strCaja);
    } else {
        // A store without registers has nothing to reprint.
        strCaja = "00";
        strNomCaja.clear();
        lkcmbCajas->SetKeyValue("00");
    }
    btnImprimir->SetEnabled(hay);
    SigueElDia();
}

void TfrmRImpNotas::lkcmbCajasExit() {
    const std::string caja = lkcmbCajas->KeyValue();
    if (!caja.empty() && tblCajas.Locate("Caja", {db::Value(caja)})) {
        strCaja = caja;
        strNomCaja = tblCajas.FieldByName("Descripcio").AsString();
    }
    SigueElDia();
}

void TfrmRImpNotas::edtFecDesdeExit() {
    if (SaliendoSinValidar(true)) return;
    // A day that does not exist is refused where it was typed: keeping the last good day
    // would list, and reprint, the notes of a day the user did not ask for.
    try {
        edtFecDesde->TextAsDate();
    } catch (const text::ConvertError& e) {
        vcl::MessageBox(e.what(), "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
        edtFecDesde->SetFocus();
        return;
    }
    SigueElDia();
}

void TfrmRImpNotas::lkcmbNotaDesdeExit(vcl::TObject* sender) {
    if (SaliendoSinValidar(true)) return;
    const std::string desde = lkcmbNotaDesde->KeyValue(), hasta = lkcmbNotaHasta->KeyValue();
    if (desde.empty() || hasta.empty() || desde <= hasta) return;
    if (sender == lkcmbNotaDesde) {
        lkcmbNotaHasta->SetKeyValue(desde);
        return;
    }
    vcl::MessageBox(kRango, "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
    if (lkcmbNotaHasta->CanFocus()) lkcmbNotaHasta->SetFocus();
}

void TfrmRImpNotas::lkcmbCajeroEnter() {
    tblUsuarios.SetFiltered(false);
    tblUsuarios.SetFilter(kFiltroCajeros);
    tblUsuarios.SetFiltered(true);
    tblUsuarios.Refresh();
}

void TfrmRImpNotas::lkcmbCajeroExit() {
    const std::string cajero = lkcmbCajero->KeyValue();
    if (!cajero.empty() && tblUsuarios.Locate("Usuario", {db::Value(cajero)})) {
        strCajero = cajero;
        strNickCajero = tblUsuarios.FieldByName("Nick").AsString();
    }
}

void TfrmRImpNotas::Imprimir() {
    try {
        SigueElDia();
        ConfiguraImpresora();
        archVenta_ = Archivo('V');
        archDetalle_ = Archivo('D');
        archImpuestos_ = Archivo('I');
        if (!ExisteArchivo(archVenta_) || !ExisteArchivo(archDetalle_)) {
            // Printing nothing without a word would read as a printed reprint.
            vcl::MessageBox(kSinArchivo, "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
            return;
        }
        const std::string carpeta = db::TSession::Default().NetDir();
        tblVenta.Close();
        tblVenta.DatabaseName = carpeta;
        tblVenta.TableName = archVenta_;
        tblDetalle.Close();
        tblDetalle.DatabaseName = carpeta;
        tblDetalle.TableName = archDetalle_;
        std::string filtro = FiltroNotas();
        const std::string desde = lkcmbNotaDesde->KeyValue(), hasta = lkcmbNotaHasta->KeyValue();
        if (!desde.empty())
            filtro += "And (Nota >= " + db::QuoteFilterValue(desde) + " and Nota <= " +
                      db::QuoteFilterValue(hasta.empty() ? desde : hasta) + ") ";
        if (!strCajero.empty()) filtro += "And (Cajero = " + db::QuoteFilterValue(strCajero) + ") ";
        tblVenta.SetFilter(filtro);
        tblVenta.SetFiltered(true);
        tblVenta.Open();
        tblDetalle.Open();

        if (nombreManejador_) {
            ImprimeEnWindows();
            return;
        }
        auto& comm = ImpNota->Comm();
        comm.SetDeviceName((ImpNota->Puerto == notix::PARALELO ? "LPT" : "COM") + ImpNota->PuertoNumero());
        if (comm.TestPrinterStatus() != ports::kPrinterReady) {
            vcl::MessageBox(kSinImpresora, "Advertencia", vcl::MB_OK | vcl::MB_ICONINFORMATION);
            return;
        }
        for (tblVenta.First(); !tblVenta.Eof(); tblVenta.Next()) {
            LlenaEncabezado();
            notaActual_ = tblVenta.FieldByName("Nota").AsString();
            DatosNota->CamposDetalle().LimpiarCampos();
            LlenaDetalle(notaActual_);
            DatosNota->ImprimirNota();
        }
    } catch (const std::exception& e) {
        // The note engine, the port and the tables say what went wrong; the dialog stays open
        // so the user can mend the printer and print again.
        vcl::MessageBox(e.what(), "Error", vcl::MB_OK | vcl::MB_ICONERROR);
    }
}

}  // namespace reportes

REPORTES_EXPORT void RImpresionNotas(const char* p1, const char* p2, bool p3) {
    reportes::EjecutaDialogo<reportes::TfrmRImpNotas>(p1, p2, p3);
}
