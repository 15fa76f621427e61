// Test scaffolding for whole notes: a report wired to a pseudo-terminal (serial printer) or a
// file (line printer), formats written to temporary files, and the exact blocks the port
// receives for sequences and lines.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "notes/demo.h"
#include "notes/report.h"
#include "tests/platform/2_ports/pty.h"

namespace notix::testing_notes {

namespace fs = std::filesystem;

inline fs::path Temp(const std::string& name) {
    static int n = 0;
    fs::path p = fs::temp_directory_path() /
                 ("razir_notes_" + std::to_string(::getpid()) + "_" + std::to_string(++n) + name);
    fs::remove(p);
    return p;
}

inline std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void Spit(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

// A sequence as ImprimirCodigo sends it: its bytes in a block of 20.
inline std::string Seq(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s += static_cast<char>(c);
    s.resize(20, '\0');
    return s;
}

// Exactly the codes, as the drawer and cut are sent.
inline std::string Exact(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s += static_cast<char>(c);
    return s;
}

// A note line as the port receives it: the code-page bytes in a block of 100.
inline std::string Line(const std::string& bytes) {
    std::string s = bytes;
    s.resize(100, '\0');
    return s;
}

// Simple sequences so the bytes read plainly.
inline TSecuencias Simple() {
    TSecuencias s;
    s.Inicializar = "27 64";
    s.SaltoDeLinea = "10";
    s.CortadoTotal = "29 86 0";
    s.EnvioAlterno = "27 112 0";
    s.Confirma = "5";
    s.Enviar = "6";
    s.EtiquetaMensaje = "82";
    return s;
}

struct SerialNote {
    testing_ports::PseudoPrinter printer;
    TNtaDatos datos;
    TNtaReporte reporte;
    fs::path formato = Temp(".nta");
    fs::path datosnota = Temp("datosnota");

    SerialNote() {
        reporte.SetMapaDePuertos({{"COM1", printer.path()}});
        reporte.Secuencias = Simple();
        reporte.EspacioEntreNotas = 0;
        reporte.ArchivoDatosNota = datosnota.string();
        reporte.Comm().MinimumWriteTimeout = std::chrono::milliseconds(200);
        datos.SetNotaReporte(&reporte);
    }
    ~SerialNote() {
        fs::remove(formato);
        fs::remove(datosnota);
    }
    void Cargar(const TFormatoNota& f) {
        Spit(formato, EscribirFormato(f));
        reporte.FormatoDeImpresion = formato.string();
        reporte.CargarFormato();
    }
    TCampo& Campo(const std::string& nombre, const std::string& valor) {
        TCampo& c = datos.Campos().Add();
        c.SetNombre(nombre);
        c.SetAsString(valor);
        return c;
    }
};

}  // namespace notix::testing_notes
