// Values of command-line options, checked by name: a bad value is reported with the option
// and the value, in Spanish, as std::invalid_argument (the commands answer it with exit 2).
// Not here: which options a command has (each command's own loop).
#pragma once

#include <string>
#include <vector>

namespace razir {

// The value after option args[i] (i moves onto it); "Falta el valor de --x" when none.
const std::string& ValorDeOpcion(const std::vector<std::string>& args, size_t& i);

// A whole number from `minimo` to `maximo`, digits only (an optional leading "-").
int OpcionEntera(const std::string& opcion, const std::string& valor, int minimo, int maximo);

}  // namespace razir
