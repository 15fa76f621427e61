// Checked option values for every razir command.
#include "host/razir/options.h"

#include <charconv>
#include <stdexcept>

namespace razir {

const std::string& ValorDeOpcion(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size()) throw std::invalid_argument("Falta el valor de " + args[i]);
    return args[++i];
}

int OpcionEntera(const std::string& opcion, const std::string& valor, int minimo, int maximo) {
    long long n = 0;
    const char* end = valor.data() + valor.size();
    const auto [stop, ec] = std::from_chars(valor.data(), end, n);
    if (valor.empty() || ec != std::errc() || stop != end || n < minimo || n > maximo)
        throw std::invalid_argument("Valor no válido para " + opcion + ": \"" + valor + "\" (un número entero de " +
                                    std::to_string(minimo) + " a " + std::to_string(maximo) + ")");
    return static_cast<int>(n);
}

}  // namespace razir
