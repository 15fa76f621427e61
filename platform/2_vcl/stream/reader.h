// Reads component images in the binary form-file format ("TPF0", class, name, typed values,
// nested components). Not here: what a program makes of the properties.
#pragma once

#include <string_view>
#include <vector>

#include "platform/2_vcl/stream/image.h"

namespace vcl::stream {

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::size_t position() const { return pos_; }

    // One image: the "TPF0" signature and a component with its children. Throws EReadError;
    // `into` then holds what was read of the component before the fault.
    void ReadComponent(Component& into);
    Component ReadComponent();

private:
    friend struct ReaderAccess;
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Every image of a file one after the other. The images read before a fault stay in `out`
// when EReadError is thrown.
void ReadAll(std::string_view bytes, std::vector<Component>& out);

}  // namespace vcl::stream
