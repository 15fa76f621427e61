// Header fields, detail columns in step, and the data component's link to its report.
#include "notes/ntadatos.h"

#include <algorithm>

#include "notes/report.h"
#include "platform/1_text/fold.h"
#include "platform/1_text/utf8.h"

namespace notix {
namespace {

const text::FormatSettings& Defaults() { return text::DefaultFormatSettings(); }

void CheckIndex(int i, int count) {
    if (i < 0 || i >= count)
        throw std::out_of_range("Índice fuera de rango (" + std::to_string(i) + ")");
}

// Name rule shared by fields and columns.
void Rename(std::string& nombre, std::string& descripcion, const std::string& nuevo) {
    if (descripcion.empty() || descripcion == nombre) descripcion = nuevo;
    nombre = nuevo;
}

}  // namespace

bool EsCeroTexto(const std::string& value, const text::FormatSettings& fs) {
    // Amounts begin with the currency symbol: as many characters as it has are dropped,
    // whatever they are.
    std::size_t symbol = text::Utf8Length(fs.CurrencyString);
    std::string v = text::Utf8Length(value) > symbol
                        ? value.substr(text::Utf8Left(value, symbol).size())
                        : std::string();
    auto b = v.find_first_not_of(' ');
    if (b == std::string::npos) return true;  // an empty amount is no amount
    v = v.substr(b, v.find_last_not_of(' ') - b + 1);
    v.erase(std::remove(v.begin(), v.end(), fs.ThousandSeparator), v.end());
    return text::StrToFloat(v, fs) == 0;
}

// ---- TCampo

void TCampo::SetNombre(const std::string& nombre) { Rename(nombre_, Descripcion, nombre); }

int TCampo::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

std::string TCampo::GetDisplayName() {
    if (nombre_.empty()) SetNombre("Campo" + std::to_string(Index()));
    return nombre_;
}

const text::FormatSettings& TCampo::Formatos() const {
    return collection_ && collection_->GetOwner() ? collection_->GetOwner()->Formatos : Defaults();
}

long long TCampo::GetAsInteger() const { return text::StrToInt(valor_); }
void TCampo::SetAsInteger(long long v) { valor_ = text::IntToStr(v); }
double TCampo::GetAsFloat() const { return text::StrToFloat(valor_, Formatos()); }
void TCampo::SetAsFloat(double v) { valor_ = text::FloatToStr(v, Formatos()); }
text::TDateTime TCampo::GetAsDateTime() const { return text::StrToDateTime(valor_, Formatos()); }
void TCampo::SetAsDateTime(text::TDateTime v) { valor_ = text::DateTimeToStr(v, Formatos()); }
bool TCampo::EsCero() const { return EsCeroTexto(valor_, Formatos()); }

// ---- TCampos

TCampo& TCampos::Add() {
    items_.push_back(std::make_unique<TCampo>(this));
    return *items_.back();
}

TCampo& TCampos::GetCampo(int i) const {
    CheckIndex(i, Count());
    return *items_[i];
}

void TCampos::SetCampo(int i, const TCampo& item) {
    TCampo& t = GetCampo(i);
    t.nombre_ = item.nombre_;
    t.Descripcion = item.Descripcion;
    t.Visible = item.Visible;
    t.valor_ = item.valor_;
}

TCampo& TCampos::PorNombre(std::string_view nombre) const {
    for (const auto& c : items_)
        if (text::SameText(c->Nombre(), nombre)) return *c;
    throw EError("Campo no existente");
}

TCampo* TCampos::BuscarExacto(std::string_view nombre) const {
    for (const auto& c : items_)
        if (c->Nombre() == nombre) return c.get();
    return nullptr;
}

void TCampos::Assign(const TCampos& other) {
    if (&other == this) return;
    items_.clear();
    for (const auto& c : other.items_) SetCampo(Add().Index(), *c);
}

int TCampos::IndexOf(const TCampo* item) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[i].get() == item) return i;
    return -1;
}

// ---- TCampoDetalle

void TCampoDetalle::SetNombre(const std::string& nombre) { Rename(nombre_, Descripcion, nombre); }

int TCampoDetalle::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

std::string TCampoDetalle::GetDisplayName() {
    if (nombre_.empty()) SetNombre("CampoDetalle" + std::to_string(Index()));
    return nombre_;
}

void TCampoDetalle::Append() {
    valores_.emplace_back();
    actual_ = GetContador() - 1;
}

void TCampoDetalle::Delete(int i) {
    if (i < 0 || i >= GetContador()) throw EError("No existe el dato a borrar");
    if (i == actual_) --actual_;
    valores_.erase(valores_.begin() + i);
}

void TCampoDetalle::InsertBlank(int i) {
    if (i < 0 || i > GetContador()) throw EError("No se puede insertar el dato en esta posición");
    actual_ = i;
    valores_.insert(valores_.begin() + i, std::string());
}

void TCampoDetalle::LimpiarCampo() {
    actual_ = -1;
    valores_.clear();
}

const std::string& TCampoDetalle::Valor() const {
    CheckIndex(actual_, GetContador());
    return valores_[actual_];
}

std::string& TCampoDetalle::Valor() {
    CheckIndex(actual_, GetContador());
    return valores_[actual_];
}

const text::FormatSettings& TCampoDetalle::Formatos() const {
    return collection_ && collection_->GetOwner() ? collection_->GetOwner()->Formatos : Defaults();
}

long long TCampoDetalle::GetAsInteger() const { return text::StrToInt(Valor()); }
void TCampoDetalle::SetAsInteger(long long v) { Valor() = text::IntToStr(v); }
double TCampoDetalle::GetAsFloat() const { return text::StrToFloat(Valor(), Formatos()); }
void TCampoDetalle::SetAsFloat(double v) { Valor() = text::FloatToStr(v, Formatos()); }
text::TDateTime TCampoDetalle::GetAsDateTime() const {
    return text::StrToDateTime(Valor(), Formatos());
}
void TCampoDetalle::SetAsDateTime(text::TDateTime v) {
    Valor() = text::DateTimeToStr(v, Formatos());
}
bool TCampoDetalle::EsCero() const { return EsCeroTexto(Valor(), Formatos()); }

// ---- TCamposDetalle

TCampoDetalle& TCamposDetalle::Add() {
    auto column = std::make_unique<TCampoDetalle>(this);
    if (!items_.empty()) {
        column->valores_.resize(items_.front()->valores_.size());
        column->actual_ = items_.front()->actual_;
    }
    items_.push_back(std::move(column));
    return *items_.back();
}

TCampoDetalle& TCamposDetalle::GetCampoDetalle(int i) const {
    CheckIndex(i, Count());
    return *items_[i];
}

void TCamposDetalle::SetCampoDetalle(int i, const TCampoDetalle& item) {
    TCampoDetalle& t = GetCampoDetalle(i);
    t.nombre_ = item.nombre_;
    t.Descripcion = item.Descripcion;
    t.Visible = item.Visible;
    t.valores_ = item.valores_;
    t.actual_ = item.actual_;
}

TCampoDetalle& TCamposDetalle::PorNombre(std::string_view nombre) const {
    for (const auto& c : items_)
        if (text::SameText(c->Nombre(), nombre)) return *c;
    throw EError("Campo no existente");
}

TCampoDetalle* TCamposDetalle::BuscarExacto(std::string_view nombre) const {
    for (const auto& c : items_)
        if (c->Nombre() == nombre) return c.get();
    return nullptr;
}

TCampoDetalle& TCamposDetalle::GetDetalle(int i, std::string_view nombre) {
    TCampoDetalle& c = PorNombre(nombre);
    c.actual_ = i;
    return c;
}

void TCamposDetalle::Assign(const TCamposDetalle& other) {
    if (&other == this) return;
    items_.clear();
    for (const auto& c : other.items_) {
        items_.push_back(std::make_unique<TCampoDetalle>(this));
        SetCampoDetalle(Count() - 1, *c);
    }
}

int TCamposDetalle::IndexOf(const TCampoDetalle* item) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[i].get() == item) return i;
    return -1;
}

void TCamposDetalle::RequireColumns(const char* message) const {
    if (items_.empty()) throw EError(message);
}

int TCamposDetalle::GetIndice() const {
    RequireColumns("No existen campos definidos");
    return items_.front()->actual_;
}

void TCamposDetalle::SetIndice(int i) {
    RequireColumns("No existen campos definidos");
    for (auto& c : items_) c->actual_ = i;
}

int TCamposDetalle::Append() {
    RequireColumns("No existen campos para añadir");
    for (auto& c : items_) c->Append();
    return GetIndice();
}

void TCamposDetalle::Delete(int i) {
    RequireColumns("No existen campos para borrar");
    if (i < 0 || i >= Contador()) throw EError("No existe el dato a borrar");
    for (auto& c : items_) c->Delete(i);
}

void TCamposDetalle::InsertBlank(int i) {
    RequireColumns("No existen campos para insertar blancos");
    if (i < 0 || i > Contador()) throw EError("No se puede insertar el dato en esta posición");
    for (auto& c : items_) c->InsertBlank(i);
}

void TCamposDetalle::LimpiarCampos() {
    RequireColumns("No existen campos para limpiar");
    for (auto& c : items_) c->LimpiarCampo();
}

void TCamposDetalle::Post() {
    TNtaReporte* r = owner_ ? owner_->NotaReporte() : nullptr;
    if (!r || !owner_->ImpresionEnLinea()) return;
    r->InicializarPuerto();
    try {
        int row = GetIndice();
        if (row == 0) r->ImprimirEncabezado();
        r->ImprimirDetalle(row);
    } catch (...) {
        r->FinalizarPuerto(false);  // the row failed: still give the port back
        throw;
    }
    r->FinalizarPuerto(false);
}

// ---- TNtaDatos

TNtaDatos::TNtaDatos(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), campos_(this), detalle_(this) {}

TNtaDatos::~TNtaDatos() { SetNotaReporte(nullptr); }

void TNtaDatos::SetNotaReporte(TNtaReporte* reporte) {
    if (reporte_ && reporte_ != reporte) {
        if (reporte_->datos_ == this) reporte_->datos_ = nullptr;
        reporte_->RemoveFreeNotification(this);
    }
    reporte_ = reporte;
    if (reporte_) {
        reporte_->FreeNotification(this);
        reporte_->datos_ = this;
    }
}

void TNtaDatos::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation == vcl::opRemove && component == reporte_) reporte_ = nullptr;
}

void TNtaDatos::SetModoImpresion(TModoImpresion m) {
    modo_ = m;
    if (m == mWindows) enLinea_ = false;
}

void TNtaDatos::ImprimirNota() {
    if (!reporte_) return;
    if (!enLinea_) {
        reporte_->ImprimirNota();
        return;
    }
    reporte_->InicializarPuerto();
    try {
        reporte_->ImprimirPie();
    } catch (...) {
        reporte_->Abortar();
        throw;
    }
    reporte_->FinalizarPuerto(true);
}

}  // namespace notix
