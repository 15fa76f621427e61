// Fuzzes the script steps of `razir report --script` (and its step options): any text gives
// steps whose description parses back to the same step, or a ScriptError naming the line.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/2_vcl/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        for (const auto& step : vcl::ParseScript(text)) {
            const std::string line = vcl::Describe(step);
            if (vcl::Describe(vcl::ParseStep(line)) != line) std::abort();
        }
    } catch (const vcl::ScriptError&) {
    }
    return 0;
}
