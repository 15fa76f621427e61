// TNtaReporte: loads a note format, lays a TNtaDatos out as fixed-pitch lines (header, one
// detail block per row, footer, payment and tax lines, amount in words) and sends them with
// the printer's control sequences through the port component.
// Not here: the data (ntadatos.*), the format file (format.*), devices (platform/2_ports).
//
// A note on the port: InicializarPuerto (configure, open, time-outs, Inicializar) -> lines
// (text, handshakes, pause, SaltoDeLinea) -> FinalizarPuerto (feed, cut, close). A failure
// part way still closes the port, and cuts the ticket when the printer still takes bytes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "notes/amountx.h"
#include "notes/datosnota.h"
#include "notes/format.h"
#include "notes/ntadatos.h"
#include "notes/puerto.h"
#include "platform/1_text/codepage.h"

namespace report {
class TReportPrinterDialog;
}  // namespace report

namespace notix {

class TNtaReporte : public vcl::TComponent {
public:
    explicit TNtaReporte(vcl::TComponent* AOwner = nullptr);

    std::string FormatoDeImpresion;
    TPuerto Puerto = SERIE;
    const std::string& PuertoNumero() const { return puertoNumero_; }
    void SetPuertoNumero(const std::string& v) {
        if (v != puertoNumero_) puertoNumero_ = v;
    }
    TSecuencias Secuencias;
    TConfiguracionPuerto ConfigPuerto;
    // The system printer of mWindows. Setting it selects that printer, or the default one when
    // the name is empty or unknown, and stores the name of the printer selected.
    const std::string& NombredeImpresora() const { return nombreImpresora_; }
    void SetNombredeImpresora(const std::string& nombre);
    int EspacioEntreNotas = 5;
    const std::string& NombreImpresoraDelaNota() const { return impresoraDeLaNota_; }
    void SetNombreImpresoraDelaNota(const std::string& nombre) {
        if (!nombre.empty()) impresoraDeLaNota_ = nombre;
    }
    // The report printer dialog that prints the layout in mWindows; referenced, not owned (the
    // form that owns both keeps it alive).
    report::TReportPrinterDialog* ReportPrinterQR2 = nullptr;
    static constexpr int kIntentosQR2 = 3;

    // Installation settings of the output.
    text::CodePage PaginaDeCodigos = text::CodePage::CP850;
    std::string ArchivoDatosNota = RutaDatosNota();
    void SetMapaDePuertos(ports::PortMap mapa) { comm_.SetPortMap(std::move(mapa)); }
    ports::TThreadComm& Comm() { return comm_; }
    // Each printed line as UTF-8 text, for a readable copy of what went to the printer.
    std::function<void(const std::string& linea)> OnLinea;

    TNtaDatos* Datos() const { return datos_; }

    void CargarFormato();
    void ImprimirNota();
    void ImprimirEncabezado();
    void ImprimirDetalle(int row);
    void ImprimirPie();
    void ImprimeFormasDePago(int completo);
    void ImprimeFormasDeImpuestos();
    std::string CadenaAImprimir(TElementoNota& label);
    void ImprimeNotaQR2();

    void InicializarPuerto();
    void FinalizarPuerto(bool cortar);
    void AbreCajon();
    void ImprimirCodigo(const std::string& secuencia);
    void ImprimirCodigoCajon(const std::string& secuencia);
    void ImprimeCadenaFormasPago(const std::string& linea);
    bool PuertoListo() const { return listo_; }

    const std::vector<TElementoNota>& Encabezado() const { return secciones_[0]; }
    const std::vector<TElementoNota>& Detalle() const { return secciones_[1]; }
    const std::vector<TElementoNota>& Pie() const { return secciones_[2]; }

    static constexpr int kAnchoLinea = 100;   // characters a note line holds
    static constexpr int kAnchoFormaPago = 255;

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    friend class TNtaDatos;
    void ImprimirSeccion(std::vector<TElementoNota>& items);
    void TerminarLinea(std::string& linea, int handshakes);
    void Configurar();
    void Escribir(const std::vector<std::uint8_t>& bytes, int capacidad, int cuenta);
    // Ends a note that failed part way: feed and cut when the port still takes bytes, close.
    void Abortar() noexcept;

    std::string puertoNumero_ = "1";
    std::string nombreImpresora_, impresoraDeLaNota_;
    TNtaDatos* datos_ = nullptr;
    std::vector<TElementoNota> secciones_[3];
    int cw_ = 10;
    int lineTop_ = 0;
    bool enDetalle_ = false;
    TAmountx* amountx_;  // owned
    ports::TThreadComm comm_;
    bool listo_ = false;
    TDatosNota datosNota_;
};

}  // namespace notix
