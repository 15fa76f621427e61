// A report dialog's temporary table as a component the dialog owns: it takes the first free
// name from its base, creates the table, and deletes it when it is re-created, deleted after
// printing, or freed with its dialog, so the table goes on every path (a missing layout, an
// exception, Cancel). It also points the layout's dataset at the name it took.
// Not here: claiming names across processes (platform/2_db/temptable.h), filling the table.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/2_db/schema.h"
#include "platform/2_db/temptable.h"
#include "platform/2_vcl/component.h"

namespace report {
class Dataset;
}

namespace reportes {

// Names after the base while it is taken: base2, base3, ... or base1, base2, ...
enum class Numeracion { DesdeDos = 0, DesdeUno = 1 };

class TTablaTemporal : public vcl::TComponent {
public:
    TTablaTemporal(vcl::TComponent* owner, std::string base, std::vector<db::FieldDef> campos,
                   Numeracion numeracion = Numeracion::DesdeDos, std::vector<db::IndexDef> indices = {});
    ~TTablaTemporal() override;

    std::string DatabaseName = "RazirWin10";
    // The layout's dataset that reads the table; base + "_Tabla" unless a report says otherwise.
    std::string Dataset;
    std::vector<db::FieldDef> Campos;
    std::vector<db::IndexDef> Indices;

    // Creates the table, empty, under the first free name; a table this component held
    // before is deleted first. Returns the name taken.
    const std::string& Crea();
    // Deletes the table now (after printing); nothing when there is none.
    void Borra();
    bool Creada() const { return tabla_ != nullptr; }
    // The name taken ("tblTemp2"), or "" while there is no table.
    const std::string& TableName() const;

    // BeforeOpenDataset: when `dataset` is this table's layout dataset (names ignore case), it
    // reads the table through the dialog's database. True when it was pointed.
    bool Apunta(report::Dataset& dataset) const;

private:
    std::string base_;
    Numeracion numeracion_;
    std::unique_ptr<db::TTempTable> tabla_;
};

}  // namespace reportes
