// The port settings a note report holds: kind of port, serial line settings, the printer's
// control sequences and how a sequence text ("27 64") becomes bytes.
// Not here: sending them (report_port.cpp) or the device itself (platform/2_ports).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/2_ports/threadcomm.h"

namespace notix {

enum TPuerto { SERIE, PARALELO };

class TConfiguracionPuerto {
public:
    ports::TBaudRate BitsPorSegundo = ports::br9600;
    ports::TParity Paridad = ports::paNone;
    ports::TStopBits BitDeParada = ports::sb1;
    ports::TDataBits BitDeDatos = ports::db8;
};

// Printer control sequences: decimal byte values separated by single spaces ("027" is 27).
class TSecuencias {
public:
    std::string Enviar, Confirma, Inicializar, CortadoTotal, EnvioAlterno, SaltoDeLinea,
        ColumnaInicial, CortadoParcial, HabilitarColor, EtiquetaMensaje, DeshabilitarColor,
        HabilitarNegrillas, HabilitarSubrayado, DeshabilitarNegrillas, DeshabilitarSubrayado;
};

// At most this many codes fit the block a sequence is sent in.
constexpr int kMaxCodigos = 80;

// The bytes of a sequence, each code's low 8 bits. A leading space, two spaces in a row or a
// code that is not a decimal integer raise text::ConvertError; more than kMaxCodigos codes
// raise EError. Nothing is returned in part.
std::vector<std::uint8_t> CodificarSecuencia(const std::string& secuencia);

}  // namespace notix
