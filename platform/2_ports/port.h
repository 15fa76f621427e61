// One printer destination opened for writing: a serial line (any terminal device), a parallel
// or USB line printer (/dev/lp*, /dev/usb/lp*) or a plain file, with writes bounded in time.
// Not here: port names such as "COM1" (portnames.*) or printer control sequences (notes/).
//
// States: closed -> Open -> open -> Write ... -> Close -> closed. A write that fails or times
// out discards what the driver still holds and closes the port before it throws, so a
// printer that stopped reading never keeps the port (or the caller) waiting.
#pragma once

#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "platform/2_ports/serial.h"

namespace ports {

// Every failure of a port, with the Spanish text the user sees.
class PortError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Status byte of a printer: 0x80 ready to receive, 0x10 on line, 0x20 out of paper,
// 0x08 fault. A ready printer reads exactly kPrinterReady.
constexpr int kPrinterReady = 0x90;  // 144

// The status byte of the parallel-port status lines as the line-printer driver reports them
// (LPGETSTATUS).
int LinePrinterStatus(int lpStatusLines);

class Port {
public:
    enum class Kind { Serial, LinePrinter, File };

    Port() = default;
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;
    ~Port();

    // `label` names the port in messages ("COM1"); settings apply to serial lines only.
    void Open(const std::string& path, const LineSettings& settings, const std::string& label);
    bool IsOpen() const { return fd_ >= 0; }
    Kind kind() const { return kind_; }
    const std::string& path() const { return path_; }

    // Writes all n bytes or throws PortError (the port is then closed).
    void Write(const void* data, std::size_t n, std::chrono::milliseconds timeout);
    // Waits for the driver to pass on what it holds, up to the time-out; false when it could not.
    bool Drain(std::chrono::milliseconds timeout);
    void Close();

    // kPrinterReady, or the bits that say why not; 0 when the port is not open.
    int Status() const;

private:
    void Abort();

    int fd_ = -1;
    Kind kind_ = Kind::File;
    std::string path_, label_;
    LineSettings settings_;
};

}  // namespace ports
