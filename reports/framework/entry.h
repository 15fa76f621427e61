// How the host calls a report: one exported plain function per report taking the store code,
// its description and the direct-mode flag by value. The dialog is built with the host's main
// form as owner; in direct mode a report that reads the flag produces itself without being
// shown, otherwise it is given the arguments and shown modally; then it is destroyed. What an
// exception becomes is the entry's choice (Excepcion); by default the host never sees one, only
// a fixed message.
// Not here: the dialogs (reports/catalogues/ and the other report folders).
#pragma once

#include <exception>
#include <iostream>
#include <string>

#include "platform/2_vcl/application.h"
#include "platform/2_vcl/component.h"

#define REPORTES_EXPORT extern "C" __attribute__((visibility("default")))

namespace reportes {

// "No es posible mostrar díalogo, ..." in a plain message box, the reason on standard error.
void MensajeNoDialogo(const char* reason) noexcept;
// The reason on standard error only.
void RegistraError(const char* reason) noexcept;

// What an exception inside an entry point becomes.
enum class Excepcion {
    Mensaje,             // the fixed message, then a normal return
    SinMensaje,          // a normal return without a word (the cash cut)
    MensajeSoloDialogo,  // the message in dialog mode, nothing in direct mode
};

namespace detail {

template <class Dialogo>
void Ejecuta(const std::string& p1, const std::string& p2, bool directo) {
    vcl::FreePtr<Dialogo> dialogo(vcl::Create<Dialogo>(vcl::Application->MainForm()));
    if (directo) {
        dialogo->bDirecto = true;
        if (dialogo->ModoDirecto(p1, p2)) return;
        dialogo->bDirecto = false;
    }
    dialogo->AsignaArgumentos(p1, p2);
    dialogo->ShowModal();
}

inline void Informa(Excepcion como, bool directo, const char* reason) noexcept {
    if (como == Excepcion::Mensaje || (como == Excepcion::MensajeSoloDialogo && !directo))
        MensajeNoDialogo(reason);
    else
        RegistraError(reason);
}

}  // namespace detail

// The entry point of a report: dialog mode, or direct mode when `directo` is set and the
// dialog reads it.
template <class Dialogo, Excepcion Como = Excepcion::Mensaje>
void EjecutaDialogo(const char* p1, const char* p2, bool directo = false) noexcept {
    try {
        detail::Ejecuta<Dialogo>(p1 ? p1 : "", p2 ? p2 : "", directo);
    } catch (const std::exception& e) {
        detail::Informa(Como, directo, e.what());
    } catch (...) {
        detail::Informa(Como, directo, "excepción desconocida");
    }
}

// The entry point without arguments (the user's own reports): an exception reaches the host.
template <class Dialogo>
void EjecutaSinArgumentos() {
    vcl::FreePtr<Dialogo> dialogo(vcl::Create<Dialogo>(vcl::Application->MainForm()));
    dialogo->ShowModal();
}

}  // namespace reportes
