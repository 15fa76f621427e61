// Fuzzes the installation's razir.ini: any text either gives an installation, which writes
// back to text that reads the same, or raises ConfigError; never a crash.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/velmor/installation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const auto inst = velmor::Installation::Parse(text, "/tmp/razir_fuzz/", "razir.ini");
        const std::string again = inst.ToText();
        if (velmor::Installation::Parse(again, "/tmp/razir_fuzz/", "razir.ini").ToText() != again) std::abort();
    } catch (const velmor::ConfigError&) {
    }
    return 0;
}
