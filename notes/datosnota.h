// The note settings file "datosnota" beside the program: handshake counts and the pause
// after each printed line (section "ProcesosCriticos"). Not here: the handshake itself.
#pragma once

#include <string>

namespace notix {

struct TDatosNota {
    int Proceso1 = 0;  // handshakes after a line that ends because a new row starts
    int Proceso2 = 0;  // after the last line of a header or footer
    int Proceso3 = 0;  // after the last line of a detail row
    int Sleep = 0;     // pause in milliseconds after every line's handshakes

    // Longest pause taken, so a mistyped value cannot stall the register for minutes.
    static constexpr int kMaxSleep = 10000;
};

// Reads the file; a missing file, section or key, or text that is not a number, reads 0.
// Negative values read 0 and pauses are capped at kMaxSleep. A malformed line throws
// text::ConfigError naming the file and the line.
TDatosNota LeerDatosNota(const std::string& path);

// "datosnota" in the folder of the running program.
std::string RutaDatosNota();

}  // namespace notix
