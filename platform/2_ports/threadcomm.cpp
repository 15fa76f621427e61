// The host's port component over Port: names resolved at open, settings applied on every open.
#include "platform/2_ports/threadcomm.h"

#include <algorithm>

namespace ports {

unsigned BaudRateValue(TBaudRate rate) {
    static constexpr unsigned kRates[] = {9600,  110,   300,    600,    1200,   2400,  4800, 14400,
                                          19200, 38400, 56000, 57600, 115200, 128000, 256000};
    auto i = static_cast<std::size_t>(rate);
    return i < std::size(kRates) ? kRates[i] : 9600;
}

TThreadComm::TThreadComm(PortMap portMap) : portMap_(std::move(portMap)) {}

void TThreadComm::SetParity(TParity parity) {
    static constexpr Parity kParity[] = {Parity::None, Parity::Odd, Parity::Even, Parity::Mark,
                                         Parity::Space};
    settings_.parity = kParity[std::clamp(static_cast<int>(parity), 0, 4)];
}

void TThreadComm::SetStopBits(TStopBits bits) {
    settings_.stopBits = bits == sb1 ? StopBits::One : bits == sb1_5 ? StopBits::OneAndHalf
                                                                     : StopBits::Two;
}

void TThreadComm::Open() {
    if (deviceName_.empty()) throw PortError("No se indicó el puerto de la impresora");
    std::string path = ResolvePortName(deviceName_, portMap_);
    port_.Open(path, settings_, deviceName_);
}

bool TThreadComm::GetWriteTimeouts(unsigned& perByteMs, unsigned& constantMs) const {
    if (!port_.IsOpen()) return false;
    perByteMs = perByteMs_;
    constantMs = constantMs_;
    return true;
}

bool TThreadComm::SetWriteTimeouts(unsigned perByteMs, unsigned constantMs) {
    if (!port_.IsOpen()) return false;
    perByteMs_ = perByteMs;
    constantMs_ = constantMs;
    return true;
}

std::chrono::milliseconds TThreadComm::WriteTimeoutFor(std::size_t n) const {
    using namespace std::chrono;
    // Micro-seconds per byte: twice the wire time, so a printer that keeps up never times out.
    unsigned long long perByteUs = std::max<unsigned long long>(
        perByteMs_ * 1000ull, 2ull * CharacterTimeMicros(settings_));
    auto total = milliseconds(constantMs_) + duration_cast<milliseconds>(microseconds(perByteUs * n));
    return std::max(total, MinimumWriteTimeout);
}

void TThreadComm::WriteNBytes(const unsigned char* buffer, int capacity, int count) {
    int n = std::max(0, std::min(capacity, count));
    if (n == 0) {
        if (!port_.IsOpen()) throw PortError("El puerto " + deviceName_ + " no está abierto");
        return;
    }
    port_.Write(buffer, static_cast<std::size_t>(n), WriteTimeoutFor(static_cast<std::size_t>(n)));
}

int TThreadComm::TestPrinterStatus() {
    if (port_.IsOpen()) return port_.Status();
    try {
        Open();
    } catch (const PortError&) {
        return 0;
    }
    int status = port_.Status();
    port_.Close();
    return status;
}

}  // namespace ports
