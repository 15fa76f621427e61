// How the host calls a report: one exported plain function per report taking the store code,
// its description and the direct-mode flag by value. The dialog is built with the host's main
// form as owner, given the arguments, shown modally and destroyed; no exception ever reaches
// the host, which sees one fixed message instead.
// Not here: the dialogs (reports/catalogues/ and the other report folders).
#pragma once

#include <exception>
#include <iostream>
#include <string>

#include "platform/vcl/application.h"
#include "platform/vcl/component.h"

#define REPORTES_EXPORT extern "C" __attribute__((visibility("default")))

namespace reportes {

// "No es posible mostrar díalogo, ..." in a plain message box, the reason on standard error.
void MensajeNoDialogo(const char* reason) noexcept;

// The entry point of a dialog-mode report.
template <class Dialogo>
void EjecutaDialogo(const char* p1, const char* p2) noexcept {
    try {
        const std::string tienda = p1 ? p1 : "";
        const std::string descripcion = p2 ? p2 : "";
        vcl::FreePtr<Dialogo> dialogo(vcl::Create<Dialogo>(vcl::Application->MainForm()));
        dialogo->AsignaArgumentos(tienda, descripcion);
        dialogo->ShowModal();
    } catch (const std::exception& e) {
        MensajeNoDialogo(e.what());
    } catch (...) {
        MensajeNoDialogo("excepción desconocida");
    }
}

}  // namespace reportes
