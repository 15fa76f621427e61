// Fuzzes the component-stream reader: any input ends in trees or EReadError, and whatever was
// read writes back to exactly the bytes it came from.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/stream/reader.h"
#include "platform/2_vcl/stream/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vcl::stream::Reader reader(bytes);
    while (!reader.AtEnd()) {
        std::size_t start = reader.position();
        vcl::stream::Component c;
        try {
            reader.ReadComponent(c);
        } catch (const vcl::stream::EReadError&) {
            return 0;
        }
        std::string again = vcl::stream::Write(c);
        if (again != bytes.substr(start, reader.position() - start)) std::abort();
    }
    return 0;
}
