// Wires an installation to the data layer; the one place where velmor meets platform/2_db.
#include "host/velmor/session.h"

#include "platform/2_db/error.h"
#include "platform/2_db/session.h"
#include "platform/2_db/table.h"
#include "platform/2_vcl/application.h"

namespace velmor {

void OpenSession(Installation& inst) {
    inst.MakeCurrent();
    vcl::Application->SetExeName(inst.Folder + "razir");
    for (const auto& [alias, folder] : inst.Aliases) db::RegisterAlias(alias, folder);
    db::TSession::Default().NetFileDir = inst.NetFolder();
    inst.Config.SetStoreLookup([](std::string_view store) -> std::optional<std::string> {
        try {
            db::TTable tiendas;
            tiendas.DatabaseName = "RazirWin10";
            tiendas.TableName = "Tiendas";
            if (!tiendas.Exists()) return std::nullopt;
            tiendas.Open();
            if (!tiendas.FindKey({db::Value(std::string(store))})) return std::nullopt;
            return tiendas.FieldByName("Descripcio").AsString();
        } catch (const db::EDatabaseError&) {
            // A store description is only a heading: a damaged or busy Tiendas shows none.
            return std::nullopt;
        }
    });
}

}  // namespace velmor
