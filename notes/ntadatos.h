// The data of a sales note: named header fields (TCampos) and named detail columns that move
// row by row in step (TCamposDetalle), all held as text with typed access through the locale,
// and the component that prints them through its linked note report (TNtaDatos).
// Not here: how a note is laid out or sent (report.*).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/1_text/format.h"
#include "platform/2_vcl/component.h"

namespace notix {

// Every error of the note data and the note report, with its fixed Spanish message.
class EError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TModoImpresion { mPuerto, mWindows, mDriver };

class TNtaDatos;
class TNtaReporte;
class TCampos;
class TCamposDetalle;

// True when value is a zero amount: the currency symbol's length of leading characters is
// dropped, blanks trimmed, thousands separators removed, then the number compared with 0.
// An empty amount counts as zero. Throws text::ConvertError for text that is not a number.
bool EsCeroTexto(const std::string& value, const text::FormatSettings& fs);

class TCampo {
public:
    explicit TCampo(TCampos* collection = nullptr) : collection_(collection) {}

    const std::string& Nombre() const { return nombre_; }
    // The description follows the name while it is empty or still equal to the old name.
    void SetNombre(const std::string& nombre);
    std::string Descripcion;
    bool Visible = true;  // stored with the field; printing does not consult it

    // The name, or for an unnamed field "Campo" + its index, which then becomes its name.
    std::string GetDisplayName();
    int Index() const;

    std::string GetAsString() const { return valor_; }
    void SetAsString(const std::string& v) { valor_ = v; }
    long long GetAsInteger() const;
    void SetAsInteger(long long v);
    double GetAsFloat() const;
    void SetAsFloat(double v);
    text::TDateTime GetAsDateTime() const;
    void SetAsDateTime(text::TDateTime v);
    bool GetAsBoolean() const { return valor_ == "T"; }
    void SetAsBoolean(bool v) { valor_ = v ? "T" : "F"; }
    bool EsCero() const;

private:
    friend class TCampos;
    const text::FormatSettings& Formatos() const;
    TCampos* collection_;
    std::string nombre_, valor_;
};

class TCampos {
public:
    explicit TCampos(TNtaDatos* owner = nullptr) : owner_(owner) {}
    TCampos(const TCampos&) = delete;
    TCampos& operator=(const TCampos&) = delete;

    TNtaDatos* GetOwner() const { return owner_; }
    TCampo& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    TCampo& GetCampo(int i) const;  // std::out_of_range for a bad index
    void SetCampo(int i, const TCampo& item);  // copies name, description, flag and value
    // First field whose name equals the key ignoring letter case; EError "Campo no existente".
    TCampo& PorNombre(std::string_view nombre) const;
    // The printing engine's lookup: exact name, letter case included; nullptr when absent.
    TCampo* BuscarExacto(std::string_view nombre) const;
    void Assign(const TCampos& other);
    void Clear() { items_.clear(); }
    int IndexOf(const TCampo* item) const;

private:
    TNtaDatos* owner_;
    std::vector<std::unique_ptr<TCampo>> items_;
};

class TCampoDetalle {
public:
    explicit TCampoDetalle(TCamposDetalle* collection = nullptr) : collection_(collection) {}

    const std::string& Nombre() const { return nombre_; }
    void SetNombre(const std::string& nombre);
    std::string Descripcion;
    bool Visible = true;
    std::string GetDisplayName();
    int Index() const;

    void Append();
    void Delete(int i);
    void InsertBlank(int i);
    void LimpiarCampo();
    int GetContador() const { return static_cast<int>(valores_.size()); }
    int Actual() const { return actual_; }
    void SetActual(int i) { actual_ = i; }
    const std::vector<std::string>& Valores() const { return valores_; }

    // On the value of the current row; std::out_of_range when there is no such row.
    std::string GetAsString() const { return Valor(); }
    void SetAsString(const std::string& v) { Valor() = v; }
    long long GetAsInteger() const;
    void SetAsInteger(long long v);
    double GetAsFloat() const;
    void SetAsFloat(double v);
    text::TDateTime GetAsDateTime() const;
    void SetAsDateTime(text::TDateTime v);
    bool GetAsBoolean() const { return Valor() == "T"; }
    void SetAsBoolean(bool v) { Valor() = v ? "T" : "F"; }
    bool EsCero() const;

private:
    friend class TCamposDetalle;
    const std::string& Valor() const;
    std::string& Valor();
    const text::FormatSettings& Formatos() const;
    TCamposDetalle* collection_;
    std::string nombre_;
    std::vector<std::string> valores_;
    int actual_ = -1;
};

class TCamposDetalle {
public:
    explicit TCamposDetalle(TNtaDatos* owner = nullptr) : owner_(owner) {}
    TCamposDetalle(const TCamposDetalle&) = delete;
    TCamposDetalle& operator=(const TCamposDetalle&) = delete;

    TNtaDatos* GetOwner() const { return owner_; }
    // A column added after rows exist gets as many empty rows, so all columns stay in step.
    TCampoDetalle& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    TCampoDetalle& GetCampoDetalle(int i) const;
    void SetCampoDetalle(int i, const TCampoDetalle& item);  // copies name, description, rows
    TCampoDetalle& PorNombre(std::string_view nombre) const;
    TCampoDetalle* BuscarExacto(std::string_view nombre) const;
    TCampoDetalle& GetDetalle(int i, std::string_view nombre);
    void Assign(const TCamposDetalle& other);
    int IndexOf(const TCampoDetalle* item) const;

    int GetIndice() const;
    void SetIndice(int i);
    int Append();
    void Delete(int i);
    void InsertBlank(int i);
    void LimpiarCampos();
    int Contador() const { return items_.empty() ? 0 : items_.front()->GetContador(); }
    // Prints the current row at once when the owner prints line by line.
    void Post();

    std::string GetAsString(std::string_view n) const { return PorNombre(n).GetAsString(); }
    void SetAsString(std::string_view n, const std::string& v) { PorNombre(n).SetAsString(v); }
    long long GetAsInteger(std::string_view n) const { return PorNombre(n).GetAsInteger(); }
    void SetAsInteger(std::string_view n, long long v) { PorNombre(n).SetAsInteger(v); }
    double GetAsFloat(std::string_view n) const { return PorNombre(n).GetAsFloat(); }
    void SetAsFloat(std::string_view n, double v) { PorNombre(n).SetAsFloat(v); }
    text::TDateTime GetAsDateTime(std::string_view n) const { return PorNombre(n).GetAsDateTime(); }
    void SetAsDateTime(std::string_view n, text::TDateTime v) { PorNombre(n).SetAsDateTime(v); }
    bool GetAsBoolean(std::string_view n) const { return PorNombre(n).GetAsBoolean(); }
    void SetAsBoolean(std::string_view n, bool v) { PorNombre(n).SetAsBoolean(v); }

private:
    void RequireColumns(const char* message) const;
    TNtaDatos* owner_;
    std::vector<std::unique_ptr<TCampoDetalle>> items_;
};

class TNtaDatos : public vcl::TComponent {
public:
    explicit TNtaDatos(vcl::TComponent* AOwner = nullptr);
    ~TNtaDatos() override;

    TCampos& Campos() { return campos_; }
    const TCampos& Campos() const { return campos_; }
    void SetCampos(const TCampos& c) { campos_.Assign(c); }
    TCamposDetalle& CamposDetalle() { return detalle_; }
    const TCamposDetalle& CamposDetalle() const { return detalle_; }
    void SetCamposDetalle(const TCamposDetalle& c) { detalle_.Assign(c); }

    // Linking also points the report back at this data; either side forgets the other when
    // it is destroyed (free notification).
    TNtaReporte* NotaReporte() const { return reporte_; }
    void SetNotaReporte(TNtaReporte* reporte);

    // Always false while the mode is mWindows.
    bool ImpresionEnLinea() const { return enLinea_; }
    void SetImpresionEnLinea(bool v) { enLinea_ = v && modo_ != mWindows; }
    TModoImpresion ModoImpresion() const { return modo_; }
    void SetModoImpresion(TModoImpresion m);
    std::string TipoImpresion;  // "C" cancelled, "R" reprinted

    // The regional settings typed access reads; the application's settings unless told.
    text::FormatSettings Formatos = text::DefaultFormatSettings();

    TCampo& PorNombre(std::string_view n) const { return campos_.PorNombre(n); }
    std::string GetAsString(std::string_view n) const { return PorNombre(n).GetAsString(); }
    long long GetAsInteger(std::string_view n) const { return PorNombre(n).GetAsInteger(); }
    double GetAsFloat(std::string_view n) const { return PorNombre(n).GetAsFloat(); }
    text::TDateTime GetAsDateTime(std::string_view n) const { return PorNombre(n).GetAsDateTime(); }
    bool GetAsBoolean(std::string_view n) const { return PorNombre(n).GetAsBoolean(); }
    void SetAsString(std::string_view n, const std::string& v) { PorNombre(n).SetAsString(v); }
    void SetAsInteger(std::string_view n, long long v) { PorNombre(n).SetAsInteger(v); }
    void SetAsFloat(std::string_view n, double v) { PorNombre(n).SetAsFloat(v); }
    void SetAsDateTime(std::string_view n, text::TDateTime v) { PorNombre(n).SetAsDateTime(v); }
    void SetAsBoolean(std::string_view n, bool v) { PorNombre(n).SetAsBoolean(v); }

    // The whole note through the report, or only its footer when the rows went out line by
    // line. Without a report nothing happens.
    void ImprimirNota();

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    friend class TNtaReporte;
    TCampos campos_;
    TCamposDetalle detalle_;
    TNtaReporte* reporte_ = nullptr;
    bool enLinea_ = false;
    TModoImpresion modo_ = mPuerto;
};

}  // namespace notix
