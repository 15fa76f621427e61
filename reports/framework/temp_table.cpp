// The dialog-owned temporary table and the pointing of its layout dataset.
#include "reports/framework/temp_table.h"

#include "platform/2_db/names.h"
#include "platform/3_report/dataset.h"

namespace reportes {

TTablaTemporal::TTablaTemporal(vcl::TComponent* owner, std::string base, std::vector<db::FieldDef> campos,
                               Numeracion numeracion, std::vector<db::IndexDef> indices)
    : vcl::TComponent(owner),
      Dataset(base + "_Tabla"),
      Campos(std::move(campos)),
      Indices(std::move(indices)),
      base_(std::move(base)),
      numeracion_(numeracion) {}

TTablaTemporal::~TTablaTemporal() = default;  // the table goes with tabla_

const std::string& TTablaTemporal::Crea() {
    Borra();
    tabla_ = db::CreateTempTable(DatabaseName, base_, Campos, static_cast<int>(numeracion_), Indices);
    return tabla_->TableName();
}

void TTablaTemporal::Borra() { tabla_.reset(); }

const std::string& TTablaTemporal::TableName() const {
    static const std::string kNinguna;
    return tabla_ ? tabla_->TableName() : kNinguna;
}

bool TTablaTemporal::Apunta(report::Dataset& dataset) const {
    if (!tabla_ || !db::SameName(dataset.Name(), Dataset)) return false;
    dataset.DatabaseName = DatabaseName;
    dataset.TableName = tabla_->TableName();
    return true;
}

}  // namespace reportes
