// Encoding of printer control sequences.
#include "notes/puerto.h"

#include "notes/ntadatos.h"
#include "platform/1_text/format.h"

namespace notix {

std::vector<std::uint8_t> CodificarSecuencia(const std::string& secuencia) {
    std::vector<std::uint8_t> out;
    std::string_view rest = secuencia;
    while (!rest.empty()) {
        auto sp = rest.find(' ');
        std::string_view code = rest.substr(0, sp);
        rest = sp == std::string_view::npos ? std::string_view{} : rest.substr(sp + 1);
        if (out.size() == kMaxCodigos)
            throw EError("La secuencia de impresora \"" + secuencia + "\" tiene más de " +
                         std::to_string(kMaxCodigos) + " códigos");
        // StrToInt refuses the empty code that a leading or doubled space leaves.
        if (code.empty()) throw text::ConvertError("\"\" no es un valor entero válido");
        out.push_back(static_cast<std::uint8_t>(text::StrToInt(code) & 0xFF));
    }
    return out;
}

}  // namespace notix
