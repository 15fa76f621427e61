// Fuzzes the data dictionary's reader: the text of the tables dictionary and of the fields
// dictionary (the input split at its first NUL byte) either reads, with every table then
// described for creation, or is refused with a reason; never a crash.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/2_db/schema.h"
#include "tablemaint/engine/dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto cut = bytes.find('\0');
    const std::string tablas(bytes.substr(0, cut));
    const std::string campos(cut == std::string_view::npos ? std::string_view{} : bytes.substr(cut + 1));
    tablemaint::Diccionario d;
    std::string error;
    if (!tablemaint::LeeDiccionarioTexto(tablas, campos, d, &error)) return 0;
    for (const auto& t : d.tablas) {
        db::TableDef def;
        if (tablemaint::DescribeTabla(d, t.Numero, def) == 0) db::CreateTableSql(def);
    }
    return 0;
}
