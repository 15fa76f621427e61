// The register's note printer as the Dispos table describes it: port kind and number, line
// settings, control sequences, blank lines between notes, system printer name, the note
// format and line-by-line printing; and the installation's port map and code page.
// Not here: what a note holds (note_fill.cpp).
#include "host/velmor/installation.h"
#include "platform/2_db/quote.h"
#include "platform/1_text/format.h"
#include "platform/2_vcl/application.h"
#include "platform/6_schema/tables.h"
#include "reports/register/reprint.h"

namespace reportes {
namespace {

// The stored codes of the device catalogue are positions in these lists, in the order the
// catalogue's editor offers them (6 is 9600 baud, data bits 3 is 8 bits).
constexpr ports::TBaudRate kVelocidades[] = {
    ports::br110,   ports::br300,   ports::br600,    ports::br1200,   ports::br2400,
    ports::br4800,  ports::br9600,  ports::br14400,  ports::br19200,  ports::br38400,
    ports::br56000, ports::br57600, ports::br115200, ports::br128000, ports::br256000};
constexpr ports::TDataBits kBitsDeDatos[] = {ports::db5, ports::db6, ports::db7, ports::db8,
                                             ports::db8};
// Parity 0, 1, 2 are even, odd and none.
constexpr ports::TParity kParidades[] = {ports::paEven, ports::paOdd, ports::paNone};
constexpr ports::TStopBits kBitsDeParada[] = {ports::sb1, ports::sb1_5, ports::sb2};

template <class T, std::size_t N>
void PorPosicion(const T (&valores)[N], long long posicion, T& destino) {
    // A code outside the list leaves the setting as it was.
    if (posicion >= 0 && posicion < static_cast<long long>(N)) destino = valores[posicion];
}

}  // namespace

void TfrmRImpNotas::ConfiguraImpresora() {
    if (const velmor::Installation* inst = velmor::CurrentInstallation()) {
        ImpNota->SetMapaDePuertos(ports::PortMap(inst->Ports.begin(), inst->Ports.end()));
        if (auto cp = text::CodePageByName(inst->PrinterCodePage)) ImpNota->PaginaDeCodigos = *cp;
        ImpNota->ArchivoDatosNota = inst->Folder + "datosnota";
        DatosNota->Formatos = inst->Regional;
    }

    if (!tblCajas.Active()) tblCajas.Open();
    const bool hayCaja = tblCajas.Locate("Caja", {db::Value(strCaja)});
    nombreManejador_ = false;
    if (!tblDispo.Active()) tblDispo.Open();
    const std::string impresor = hayCaja ? tblCajas.FieldByName("Impresor").AsString() : std::string();
    // A register without a device record prints with the report's stored settings.
    if (hayCaja && tblDispo.Locate("Dispo", {db::Value(impresor)})) {
        const std::string puerto = tblDispo.FieldByName("Puerto").AsString();
        const char letra = puerto.empty() ? ' ' : puerto[0];
        const bool serie = letra == 'S' || letra == 's';
        const bool paralelo = letra == 'P' || letra == 'p';
        DatosNota->SetModoImpresion(serie || paralelo ? notix::mPuerto : notix::mWindows);
        if (serie) {
            auto& c = ImpNota->ConfigPuerto;
            PorPosicion(kVelocidades, tblDispo.FieldByName("BaudRate").AsInteger(), c.BitsPorSegundo);
            PorPosicion(kBitsDeDatos, tblDispo.FieldByName("DataBits").AsInteger(), c.BitDeDatos);
            PorPosicion(kParidades, tblDispo.FieldByName("Parity").AsInteger(), c.Paridad);
            PorPosicion(kBitsDeParada, tblDispo.FieldByName("StopBit").AsInteger(), c.BitDeParada);
        }
        if (serie || paralelo) {
            ImpNota->Puerto = serie ? notix::SERIE : notix::PARALELO;
            // "COM01", "LPT02": characters 4 and 5 are the port's number. A name without
            // one keeps the number the report has.
            const std::string nombre = tblDispo.FieldByName("NOMPUERTO").AsString();
            if (auto n = text::TryStrToInt(nombre.size() > 3 ? nombre.substr(3, 2) : std::string()); n && *n > 0)
                ImpNota->SetPuertoNumero(std::to_string(*n));
            auto& s = ImpNota->Secuencias;
            auto sec = [&](int k) { return tblDispo.FieldByName("Secuencia" + std::to_string(k)).AsString(); };
            s.Inicializar = sec(1);
            s.Enviar.clear();
            s.SaltoDeLinea = sec(3);
            s.ColumnaInicial = sec(4);
            s.CortadoParcial = sec(5);
            s.CortadoTotal = sec(6);
            s.EnvioAlterno = sec(7);
            s.Confirma = sec(8);
        }
        ImpNota->EspacioEntreNotas = static_cast<int>(tblDispo.FieldByName("EntreNotas").AsInteger());
        ImpNota->SetNombredeImpresora(tblDispo.FieldByName("Descripcio").AsString());
        nombreManejador_ = tblDispo.FieldByName("NOMPUERTO").AsString() == tables::kPuertoManejador ||
                           DatosNota->ModoImpresion() == notix::mWindows;
    }
    if (hayCaja) {
        ImpNota->FormatoDeImpresion =
            vcl::Application->ExeFolder() + "Formatos/" + tblCajas.FieldByName("FormatoImp").AsString();
        DatosNota->SetImpresionEnLinea(tblCajas.FieldByName("Notix").AsBoolean() &&
                                       tblCajas.FieldByName("ImpSiempre").AsBoolean() &&
                                       tblCajas.FieldByName("BImpresor").AsBoolean());
    }
    if (nombreManejador_) {
        DatosNota->SetImpresionEnLinea(false);
        DatosNota->SetModoImpresion(notix::mWindows);
    } else {
        ImpNota->CargarFormato();
    }
}

}  // namespace reportes
