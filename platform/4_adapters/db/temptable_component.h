// The temporary tables of a dialog as a component the dialog owns: the tables go when the
// dialog is destroyed, with its other components.
// Not here: claiming names (temptable.h).
#pragma once

#include "platform/2_db/temptable.h"
#include "platform/2_vcl/component.h"

namespace db {

class TTempTables : public vcl::TComponent {
public:
    explicit TTempTables(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {}

    TTempTable& Create(const std::string& database, const std::string& base, const std::vector<FieldDef>& fieldDefs,
                       int startAt = 0, const std::vector<IndexDef>& indexDefs = {}) {
        return tables_.Create(database, base, fieldDefs, startAt, indexDefs);
    }
    void DeleteAll() { tables_.DeleteAll(); }  // after printing
    int Count() const { return tables_.Count(); }

private:
    TTempTableOwner tables_;
};

}  // namespace db
