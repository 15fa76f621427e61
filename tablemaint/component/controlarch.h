// TControlArch, the non-visual component through which an application reaches the table
// maintenance engine: the paths of the data dictionary and of the data folder, direct
// operations (create the database, create one index, verify one table) and the file-control
// dialog. Not here: the dialog (frmconta.*), the engine (tablemaint/engine).
#pragma once

#include <stdexcept>
#include <string>

#include "platform/2_vcl/component.h"
#include "platform/2_vcl/images.h"
#include "tablemaint/component/frmconta.h"

namespace tablemaint {

// Invalid paths; the texts are the component's string resources 1 to 5.
class ERutaInvalida : public std::runtime_error {
public:
    explicit ERutaInvalida(int recurso);
    int Recurso() const { return recurso_; }

private:
    int recurso_;
};

// The text of resource 1 to 5.
const char* TextoRecurso(int recurso);

class TControlArch : public vcl::TComponent {
public:
    explicit TControlArch(vcl::TComponent* AOwner);
    ~TControlArch() override;

    const std::string& RutaTablas() const { return rutaTablas_; }
    const std::string& RutaCampos() const { return rutaCampos_; }
    const std::string& RutaBD() const { return rutaBD_; }
    // Empty or an existing file; otherwise ERutaInvalida (3 and 2).
    void SetRutaTablas(const std::string& path);
    void SetRutaCampos(const std::string& path);
    // Stored with a trailing "/"; at design time a missing folder raises ERutaInvalida (1).
    void SetRutaBD(const std::string& path);
    TVersion Version = TVersion::vrEstandar;
    vcl::TImageList* Imagenes() const { return imagenes_; }
    void SetImages(vcl::TImageList* images);

    TDameNombreEvent OnDameNombre;
    TVerificarEvent OnVerificar;
    vcl::TNotifyEvent OnAyuda;
    vcl::TNotifyEvent OnCreaBD;

    // A new engine on the three paths.
    void Inicializa();
    // Creates every table of the dictionary; OnCreaBD (with the owner) after a full success.
    int CreaBD();
    // Creates one index of one table from the dictionary, telling the user when it cannot.
    void CreaIndice(const std::string& indice, const std::string& archivo, const std::string& tabla);
    // Verifies RutaBD + tabla into the temporary folder's "VLMVERIF.DB"; the engine's result.
    int VerificaTabla(const std::string& tabla);
    // Shows the file-control dialog over a fresh engine, then frees both.
    void Ejecuta();

    VlmCtlArch* Motor() const { return motor_; }
    TVlmContArch* Dialogo() const { return dialogo_; }

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    void Verifica(int recurso) const;
    void LiberaMotor();

    std::string rutaTablas_, rutaCampos_, rutaBD_;
    vcl::TImageList* imagenes_ = nullptr;
    VlmCtlArch* motor_ = nullptr;
    TVlmContArch* dialogo_ = nullptr;
};

}  // namespace tablemaint
