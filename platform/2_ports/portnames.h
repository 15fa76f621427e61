// The port names of the note settings ("COM1", "LPT2") as device paths. The installation's
// configuration supplies the mapping; a name it does not list falls back to the usual Linux
// device, and a path is taken as it is. Not here: opening the device (port.*).
#pragma once

#include <map>
#include <string>

namespace ports {

using PortMap = std::map<std::string, std::string>;

// "COM1" -> mapping["COM1"] (keys compared without regard to case), else /dev/ttyS0;
// "LPT1" -> /dev/lp0; "/dev/usb/lp0" or "./ticket.txt" -> itself. Throws PortError for any
// other name.
std::string ResolvePortName(const std::string& name, const PortMap& mapping);

}  // namespace ports
