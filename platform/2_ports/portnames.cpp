// Port name resolution: configuration first, then the conventional devices.
#include "platform/2_ports/portnames.h"

#include <cctype>

#include "platform/1_text/fold.h"
#include "platform/2_ports/port.h"

namespace ports {
namespace {

// The number after a prefix, or -1 when the rest is not a positive decimal number.
int NumberAfter(const std::string& upper, const std::string& prefix) {
    if (!upper.starts_with(prefix) || upper.size() == prefix.size() ||
        upper.size() > prefix.size() + 3)
        return -1;
    int n = 0;
    for (size_t i = prefix.size(); i < upper.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(upper[i]))) return -1;
        n = n * 10 + (upper[i] - '0');
    }
    return n >= 1 ? n : -1;
}

}  // namespace

std::string ResolvePortName(const std::string& name, const PortMap& mapping) {
    for (const auto& [k, path] : mapping)
        if (text::SameText(k, name)) return path;
    // The devices by their own names: "COM1", "lpt2".
    const std::string key = text::UpperCase(name);
    if (name.starts_with("/") || name.starts_with("./") || name.starts_with("../")) return name;
    if (int n = NumberAfter(key, "COM"); n > 0) return "/dev/ttyS" + std::to_string(n - 1);
    if (int n = NumberAfter(key, "LPT"); n > 0) return "/dev/lp" + std::to_string(n - 1);
    throw PortError("Puerto desconocido: \"" + name + "\"");
}

}  // namespace ports
