// Feeds arbitrary text to the local-SQL translator and to the filter parser. Both must
// either translate or raise EDatabaseError; any other exception, a crash or a sanitizer
// report is a fault. The first byte chooses the parser.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/2_db/error.h"
#include "platform/2_db/filter.h"
#include "platform/2_db/names.h"
#include "platform/2_db/translate.h"

namespace {

const std::vector<db::FieldDef> kFields = {
    {"Tienda", db::FieldType::String, 2}, {"Caja", db::FieldType::String, 2},  {"Fecha", db::FieldType::DateTime},
    {"Dia", db::FieldType::Date},         {"TotDoc", db::FieldType::Float},    {"Cont", db::FieldType::Integer},
    {"BLectOp", db::FieldType::Boolean},  {"Nota", db::FieldType::String, 20},
};

db::TranslateContext Context() {
    db::TranslateContext ctx;
    for (const auto& f : kFields) ctx.columnTypes[db::FoldName(f.name)] = f.type;
    ctx.tableColumns["movprod"] = {"tienda", "fecha", "cont"};
    ctx.tableColumns["v012905h.db"] = {"tienda", "caja", "nota", "fecha"};
    return ctx;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const db::TranslateContext ctx = Context();
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        if (data[0] & 1) {
            db::ReferencedTables(text);
            db::ParameterNames(text);
            db::TranslateSql(text, ctx);
        } else {
            db::FilterToSql(text, kFields, (data[0] & 2) != 0);
        }
    } catch (const db::EDatabaseError&) {
    } catch (...) {
        std::abort();
    }
    return 0;
}
