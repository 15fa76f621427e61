// Port output of a note: configuring and opening the port, sequences in their blocks, the
// end of each line with its handshakes and pause, the end of a note and the cash drawer.
// Text is UTF-8 up to here and becomes the printer's code page at the port.
#include <algorithm>
#include <chrono>
#include <thread>

#include "notes/report.h"
#include "platform/1_text/utf8.h"

namespace notix {

void TNtaReporte::Configurar() {
    // Applied on every opening, so a change of port or line settings between notes counts.
    if (Puerto == PARALELO) {
        comm_.SetDeviceName("LPT" + puertoNumero_);
    } else {
        comm_.SetDeviceName("COM" + puertoNumero_);
        comm_.SetParity(ConfigPuerto.Paridad);
        comm_.SetBaudRate(ConfigPuerto.BitsPorSegundo);
        comm_.SetStopBits(ConfigPuerto.BitDeParada);
        comm_.SetDataBits(ConfigPuerto.BitDeDatos);
    }
}

void TNtaReporte::InicializarPuerto() {
    datosNota_ = LeerDatosNota(ArchivoDatosNota);  // before the port opens: a bad file leaves it shut
    Configurar();
    comm_.Open();  // a port that does not open throws: nothing is written to it
    // One millisecond a byte and ten more; the port component raises both to what the line
    // rate needs.
    listo_ = comm_.SetWriteTimeouts(1, 10);
    try {
        ImprimirCodigo(Secuencias.Inicializar);
    } catch (...) {
        comm_.Close();
        throw;
    }
}

void TNtaReporte::Escribir(const std::vector<std::uint8_t>& bytes, int capacidad, int cuenta) {
    comm_.WriteNBytes(bytes.data(), capacidad, cuenta);
}

void TNtaReporte::ImprimirCodigo(const std::string& secuencia) {
    std::vector<std::uint8_t> block = CodificarSecuencia(secuencia);
    // The fixed block of 20 bytes, or the whole sequence when it is longer: a sequence is
    // never cut (CodificarSecuencia refuses one that does not fit the block).
    const int cuenta = std::max(20, static_cast<int>(block.size()));
    block.resize(kMaxCodigos + 1, 0);
    Escribir(block, kMaxCodigos, cuenta);
}

void TNtaReporte::ImprimirCodigoCajon(const std::string& secuencia) {
    std::vector<std::uint8_t> codes = CodificarSecuencia(secuencia);
    int n = static_cast<int>(codes.size());
    codes.resize(kMaxCodigos + 1, 0);
    Escribir(codes, kMaxCodigos, n);
}

void TNtaReporte::TerminarLinea(std::string& linea, int handshakes) {
    // A line holds kAnchoLinea characters; the rest of a longer one is cut.
    std::string texto = text::Utf8Left(linea, kAnchoLinea);
    if (OnLinea) OnLinea(texto);
    std::string bytes = text::FromUtf8(texto, PaginaDeCodigos);
    std::vector<std::uint8_t> block(bytes.begin(), bytes.end());
    block.resize(kAnchoLinea + 1, 0);
    Escribir(block, kAnchoLinea, kAnchoLinea + 1);
    for (int i = 0; i < handshakes; ++i) {
        ImprimirCodigo(Secuencias.Confirma);
        ImprimirCodigo(Secuencias.Enviar);
    }
    if (datosNota_.Sleep > 0) std::this_thread::sleep_for(std::chrono::milliseconds(datosNota_.Sleep));
    ImprimirCodigo(Secuencias.SaltoDeLinea);
}

void TNtaReporte::ImprimeCadenaFormasPago(const std::string& linea) {
    std::string texto = text::Utf8Left(linea, kAnchoFormaPago);
    if (OnLinea) OnLinea(texto);
    std::string bytes = text::FromUtf8(texto, PaginaDeCodigos);
    std::vector<std::uint8_t> block(bytes.begin(), bytes.end());
    block.resize(kAnchoFormaPago + 1, 0);
    Escribir(block, kAnchoFormaPago, 100);
    ImprimirCodigo(Secuencias.SaltoDeLinea);
}

void TNtaReporte::FinalizarPuerto(bool cortar) {
    if (cortar) {
        try {
            for (int i = 0; i < EspacioEntreNotas; ++i) ImprimirCodigo(Secuencias.SaltoDeLinea);
            ImprimirCodigoCajon(Secuencias.CortadoTotal);
        } catch (...) {
            comm_.Close();
            throw;
        }
    }
    comm_.Close();
}

void TNtaReporte::Abortar() noexcept {
    if (comm_.Connected()) {
        try {
            FinalizarPuerto(true);
        } catch (...) {
        }
    }
    comm_.Close();
}

void TNtaReporte::AbreCajon() {
    datosNota_ = LeerDatosNota(ArchivoDatosNota);  // before the port opens: a bad file leaves it shut
    Configurar();
    comm_.Open();
    try {
        ImprimirCodigoCajon(Secuencias.EnvioAlterno);
        ImprimirCodigoCajon(Secuencias.EnvioAlterno);
    } catch (...) {
        comm_.Close();
        throw;
    }
    comm_.Close();
}

}  // namespace notix
