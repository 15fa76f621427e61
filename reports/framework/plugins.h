// Outside libraries the reports load by the name the system gives them ("BCLW32.DLL",
// "ZODInter.dll"): looked for in the program's folder and the installation's, with typed
// lookup of their functions and a plain answer when a library or a function is missing, so
// each dialog can do what it does without it (disable Preview, leave a button inert).
// Not here: what the libraries do, or the report library the program itself loads.
//
// A name "BCLW32.DLL" is looked for, in each folder and ignoring case, as "BCLW32.DLL",
// "BCLW32.so" and "libBCLW32.so".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace reportes {

class TBiblioteca {
public:
    // Loads `nombre` from the first of `carpetas` that has it; with no folders given, from the
    // program's folder and then the installation's. A library that is not found or does not
    // load leaves the object empty, and Error() says why in Spanish.
    explicit TBiblioteca(std::string_view nombre, std::vector<std::string> carpetas = {});
    ~TBiblioteca();  // releases the library
    TBiblioteca(const TBiblioteca&) = delete;
    TBiblioteca& operator=(const TBiblioteca&) = delete;

    bool Cargada() const { return handle_ != nullptr; }
    const std::string& Error() const { return error_; }
    const std::string& Archivo() const { return archivo_; }  // the file loaded

    // The exported function `simbolo` as the pointer type F (a plain C function), or nullptr
    // when the library is not loaded or lacks it.
    template <class F>
    F Funcion(std::string_view simbolo) const {
        return reinterpret_cast<F>(Simbolo(simbolo));
    }
    void* Simbolo(std::string_view simbolo) const;

private:
    void* handle_ = nullptr;
    std::string archivo_;
    std::string error_;
};

// The library loaded once for the whole process and kept until it ends (a failed load is
// not tried again): for a library a dialog loads the first time it is made.
const TBiblioteca& BibliotecaDelProceso(std::string_view nombre);

// The file names `nombre` is looked for under, in order.
std::vector<std::string> NombresDeBiblioteca(std::string_view nombre);

}  // namespace reportes
