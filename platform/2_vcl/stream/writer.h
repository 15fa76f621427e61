// Writes component images in the binary form-file format, byte for byte as they were read.
// Not here: building the trees (image.h) or reading them (reader.*).
#pragma once

#include <string>

#include "platform/2_vcl/stream/image.h"

namespace vcl::stream {

// Appends "TPF0" and the component. Throws std::invalid_argument for a tree that has no
// bytes (a name longer than 255 bytes, a property without a value).
void WriteComponent(std::string& out, const Component& component);
std::string Write(const Component& component);

}  // namespace vcl::stream
