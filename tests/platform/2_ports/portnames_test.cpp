// Port names to device paths.
#include "platform/2_ports/portnames.h"

#include <gtest/gtest.h>

#include "platform/2_ports/port.h"

namespace ports {
namespace {

TEST(PortNames, ConfigurationThenConventionThenPaths) {
    const PortMap map = {{"COM1", "/dev/ttyUSB0"}, {"lpt2", "/dev/usb/lp0"}};
    struct Case {
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {"COM1", "/dev/ttyUSB0"}, {"com1", "/dev/ttyUSB0"}, {"LPT2", "/dev/usb/lp0"},
        {"COM3", "/dev/ttyS2"},   {"LPT1", "/dev/lp0"},     {"/tmp/ticket.txt", "/tmp/ticket.txt"},
        {"./t.bin", "./t.bin"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolvePortName(c.name, map), c.path) << c.name;
    for (const char* bad : {"COM0", "COM", "LPTx", "PRN", ""})
        EXPECT_THROW(ResolvePortName(bad, map), PortError) << bad;
}

}  // namespace
}  // namespace ports
