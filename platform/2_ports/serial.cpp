// termios set-up of a serial line: raw bytes, the chosen rate, framing and flow control.
#include "platform/2_ports/serial.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/2_ports/port.h"

namespace ports {
namespace detail {
bool SetFreeRate(int fd, unsigned rate);
unsigned GetRate(int fd);
}  // namespace detail

namespace {

speed_t StandardRate(unsigned baud) {
    switch (baud) {
        case 50: return B50;
        case 75: return B75;
        case 110: return B110;
        case 134: return B134;
        case 150: return B150;
        case 200: return B200;
        case 300: return B300;
        case 600: return B600;
        case 1200: return B1200;
        case 1800: return B1800;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        case 230400: return B230400;
        case 460800: return B460800;
        case 500000: return B500000;
        case 576000: return B576000;
        case 921600: return B921600;
        case 1000000: return B1000000;
        default: return B0;
    }
}

[[noreturn]] void Fail(const std::string& device, const std::string& what) {
    throw PortError("No se pudo configurar el puerto " + device + ": " + what + " (" +
                    std::strerror(errno) + ")");
}

}  // namespace

void ApplyLineSettings(termios& t, const LineSettings& s) {
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    static constexpr tcflag_t kSize[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= kSize[std::clamp(s.dataBits, 5, 8) - 5];
    switch (s.parity) {
        case Parity::None: break;
        case Parity::Odd: t.c_cflag |= PARENB | PARODD; break;
        case Parity::Even: t.c_cflag |= PARENB; break;
        case Parity::Mark: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
        case Parity::Space: t.c_cflag |= PARENB | CMSPAR; break;
    }
    if (s.stopBits != StopBits::One) t.c_cflag |= CSTOPB;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (s.flow == FlowControl::RtsCts) t.c_cflag |= CRTSCTS;
    if (s.flow == FlowControl::XonXoff) t.c_iflag |= IXON | IXOFF;
}

void ConfigureLine(int fd, const LineSettings& s, const std::string& device) {
    if (s.dataBits < 5 || s.dataBits > 8)
        throw PortError("No se pudo configurar el puerto " + device + ": " +
                        std::to_string(s.dataBits) + " bits de datos no es un valor válido");
    if (s.baud == 0)
        throw PortError("No se pudo configurar el puerto " + device + ": velocidad 0");
    termios t{};
    if (tcgetattr(fd, &t) != 0) Fail(device, "no es una línea serie");
    ApplyLineSettings(t, s);
    speed_t standard = StandardRate(s.baud);
    if (standard != B0) {
        cfsetispeed(&t, standard);
        cfsetospeed(&t, standard);
    }
    if (tcsetattr(fd, TCSANOW, &t) != 0) Fail(device, "tcsetattr");
    if (standard == B0 && !detail::SetFreeRate(fd, s.baud))
        Fail(device, "velocidad " + std::to_string(s.baud) + " no admitida");
}

unsigned CurrentRate(int fd) { return detail::GetRate(fd); }

unsigned CharacterTimeMicros(const LineSettings& s) {
    unsigned bits = 1 + s.dataBits + (s.parity == Parity::None ? 0 : 1) +
                    (s.stopBits == StopBits::One ? 1 : 2);
    return static_cast<unsigned>((bits * 1000000ull + s.baud - 1) / s.baud);
}

}  // namespace ports
