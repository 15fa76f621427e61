// Line settings of a serial port and how they are put on a terminal device with termios.
// Not here: opening the device or moving bytes (port.*).
#pragma once

#include <termios.h>

#include <string>

namespace ports {

enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };
enum class FlowControl { None, RtsCts, XonXoff };

struct LineSettings {
    unsigned baud = 9600;
    int dataBits = 8;  // 5 to 8
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    FlowControl flow = FlowControl::None;
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Raw mode, framing and flow control of the settings put into t; the rate is not touched.
void ApplyLineSettings(termios& t, const LineSettings& settings);

// Raw mode with the given settings; a rate the standard table lacks goes through the
// kernel's free-rate interface. Throws PortError (port.h) naming the device on failure.
// One and a half stop bits do not exist on this platform's UARTs: they become two.
void ConfigureLine(int fd, const LineSettings& settings, const std::string& device);

// The output rate the driver holds now (0 when it cannot be read).
unsigned CurrentRate(int fd);

// Time on the wire of one character at these settings, in microseconds.
unsigned CharacterTimeMicros(const LineSettings& settings);

}  // namespace ports
