// TControlArch: path checks, the engine's life, and the direct operations.
#include "tablemaint/component/controlarch.h"

#include <cstring>

#include "platform/2_vcl/dialogs.h"
#include "tablemaint/engine/dictionary.h"
#include "tablemaint/engine/table_file.h"
#include "tablemaint/engine/vlmctlarch.h"

namespace tablemaint {
const char* TextoRecurso(int recurso) {
    switch (recurso) {
    case 1: return "Ruta de Base de datos Inexistente";
    case 2: return "Archivo de definición de campos Inexistente";
    case 3: return "Archivo de definición de Tablas Inexistente";
    case 4: return "No se pudo crear el diálogo de control de archivos\nrutas o archivos Incorrectos";
    case 5: return "rutas o archivos Inexistentes";
    default: return "";
    }
}

ERutaInvalida::ERutaInvalida(int recurso) : std::runtime_error(TextoRecurso(recurso)), recurso_(recurso) {}

TControlArch::TControlArch(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {}

TControlArch::~TControlArch() { LiberaMotor(); }

void TControlArch::LiberaMotor() {
    DestruyeVlmCtlArch(motor_);
    motor_ = nullptr;
}

void TControlArch::SetRutaTablas(const std::string& path) {
    if (!path.empty() && !FileExists(RutaLocal(path))) throw ERutaInvalida(3);
    rutaTablas_ = path;
}

void TControlArch::SetRutaCampos(const std::string& path) {
    if (!path.empty() && !FileExists(RutaLocal(path))) throw ERutaInvalida(2);
    rutaCampos_ = path;
}

void TControlArch::SetRutaBD(const std::string& path) {
    if (Designing() && !path.empty() && !FolderExists(RutaLocal(path))) throw ERutaInvalida(1);
    rutaBD_ = path;
    // An empty path stays empty (it once became "/", the file system's root) and is refused
    // by the operations.
    if (!rutaBD_.empty() && rutaBD_.back() != '/' && rutaBD_.back() != '\\') rutaBD_ += '/';
}

void TControlArch::SetImages(vcl::TImageList* images) {
    if (imagenes_) imagenes_->RemoveFreeNotification(this);
    imagenes_ = images;
    if (images) images->FreeNotification(this);
}

void TControlArch::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation == vcl::opRemove && component == imagenes_) imagenes_ = nullptr;
}

void TControlArch::Verifica(int recurso) const {
    if (!FileExists(RutaLocal(rutaCampos_)) || !FileExists(RutaLocal(rutaTablas_)) ||
        !FolderExists(RutaLocal(rutaBD_)) || !CarpetaDeDatosValida(rutaBD_))
        throw ERutaInvalida(recurso);
}

void TControlArch::Inicializa() {
    LiberaMotor();
    motor_ = CreaVlmCtlArch();
    if (!motor_) throw std::bad_alloc();
    CopiaTexto(motor_->szRutaBD, sizeof motor_->szRutaBD, rutaBD_);
    CopiaTexto(motor_->szRutaTablas, sizeof motor_->szRutaTablas, rutaTablas_);
    CopiaTexto(motor_->szRutaCampos, sizeof motor_->szRutaCampos, rutaCampos_);
    CopiaTexto(motor_->szIndiceDetalle, sizeof motor_->szIndiceDetalle, "NumeroT");
    CopiaTexto(motor_->szCamposMaestro, sizeof motor_->szCamposMaestro, "Numero");
    motor_->Inicializa();
}

int TControlArch::CreaBD() {
    Verifica(5);
    if (!motor_) Inicializa();
    motor_->AsociaTabla(true);
    int r = motor_->CreaBD();
    if (r == 0 && OnCreaBD) OnCreaBD(Owner());
    return r;
}

void TControlArch::CreaIndice(const std::string& indice, const std::string& archivo, const std::string& tabla) {
    Verifica(5);
    if (!motor_) Inicializa();
    motor_->AsociaTabla(true);
    Diccionario d;
    const RegistroTabla* t = nullptr;
    const RegistroCampo* idx = nullptr;
    if (LeeDiccionario(RutaLocal(rutaTablas_), RutaLocal(rutaCampos_), d, nullptr) && (t = d.TablaPorNombre(tabla)))
        for (const RegistroCampo* c : d.Registros(t->Numero, "I"))
            if (c->Nombre == indice) idx = c;
    if (!idx) {
        vcl::ShowMessage("No se encontro el Indice " + indice + " en el Diccionario de datos\no el tipo de tabla no existe");
        return;
    }
    if (motor_->CreaIdx(archivo.c_str(), int16_t(idx->Identif)) != 0)
        vcl::ShowMessage("No se pudo crear el Indice " + indice + " de la tabla " + archivo);
}

int TControlArch::VerificaTabla(const std::string& tabla) {
    Verifica(5);
    if (!motor_) Inicializa();
    const std::string table = RutaLocal(rutaBD_) + tabla;
    const std::string errTable = CarpetaTemporal() + "VLMVERIF.DB";
    return motor_->VerificaTbl(table.c_str(), errTable.c_str(), "");
}

void TControlArch::Ejecuta() {
    Verifica(4);
    Inicializa();
    dialogo_ = vcl::Create<TVlmContArch>(Owner(), motor_);
    try {
        CopiaTexto(dialogo_->szRutaTablas, sizeof dialogo_->szRutaTablas, RutaLocal(rutaTablas_));
        CopiaTexto(dialogo_->szRutaCampos, sizeof dialogo_->szRutaCampos, RutaLocal(rutaCampos_));
        CopiaTexto(dialogo_->szRutaBD, sizeof dialogo_->szRutaBD, RutaLocal(rutaBD_));
        if (OnDameNombre) dialogo_->OnDameNombre = OnDameNombre;
        if (OnVerificar) dialogo_->OnVerificar = OnVerificar;
        if (OnAyuda) dialogo_->OnAyuda = OnAyuda;
        if (imagenes_) dialogo_->SetImagenes(imagenes_);
        dialogo_->Version = Version;
        dialogo_->ShowModal();
    } catch (...) {
        vcl::Free(dialogo_);
        dialogo_ = nullptr;
        LiberaMotor();
        throw;
    }
    vcl::Free(dialogo_);
    dialogo_ = nullptr;
    LiberaMotor();
}

}  // namespace tablemaint
