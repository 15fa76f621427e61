// TThreadComm: the host package's port component as the note printer drives it (device name,
// line settings, open, block writes, close, printer status). Not here: what is written
// (notes/ports.*) or how a device is opened and written (port.*).
#pragma once

#include <chrono>
#include <string>

#include "platform/2_ports/port.h"
#include "platform/2_ports/portnames.h"

namespace ports {

// The first value of each enumeration is what a fresh port configuration starts with, so it
// is the setting most ticket printers ship with (9600 8N1).
enum TBaudRate {
    br9600, br110, br300, br600, br1200, br2400, br4800, br14400, br19200, br38400, br56000,
    br57600, br115200, br128000, br256000
};
enum TParity { paNone, paOdd, paEven, paMark, paSpace };
enum TStopBits { sb1, sb1_5, sb2 };
enum TDataBits { db8, db7, db6, db5 };

unsigned BaudRateValue(TBaudRate rate);

class TThreadComm {
public:
    explicit TThreadComm(PortMap portMap = {});

    // The installation's "COMn"/"LPTn" to device mapping.
    void SetPortMap(PortMap portMap) { portMap_ = std::move(portMap); }

    void SetDeviceName(const std::string& name) { deviceName_ = name; }
    const std::string& DeviceName() const { return deviceName_; }
    void SetBaudRate(TBaudRate rate) { settings_.baud = BaudRateValue(rate); }
    void SetBaudRateValue(unsigned baud) { settings_.baud = baud; }  // any rate the line takes
    void SetParity(TParity parity);
    void SetDataBits(TDataBits bits) { settings_.dataBits = 8 - static_cast<int>(bits); }
    void SetStopBits(TStopBits bits);
    void SetFlowControl(FlowControl flow) { settings_.flow = flow; }
    const LineSettings& Settings() const { return settings_; }

    // Resolves the device name and opens it with the current settings (every time, so a
    // change between notes takes effect). Throws PortError with the reason.
    void Open();
    bool Connected() const { return port_.IsOpen(); }
    void Close() { port_.Close(); }
    const std::string& DevicePath() const { return port_.path(); }

    // Write time-out of n bytes: constant + n x per-byte, the per-byte part never below twice
    // the time a character takes on the line, the whole never below MinimumWriteTimeout (a
    // printer pauses to cut paper or open a drawer). False when the port is not open.
    bool GetWriteTimeouts(unsigned& perByteMs, unsigned& constantMs) const;
    bool SetWriteTimeouts(unsigned perByteMs, unsigned constantMs);
    std::chrono::milliseconds WriteTimeoutFor(std::size_t n) const;
    std::chrono::milliseconds MinimumWriteTimeout{2000};

    // Writes the first min(capacity, count) bytes of buffer: capacity is how much the buffer
    // holds, count how much the caller asks for. Throws PortError (the port then is closed).
    void WriteNBytes(const unsigned char* buffer, int capacity, int count);

    // kPrinterReady (144) when the printer can take a note; opens the device for the test
    // when the port is closed. 0 when the device cannot be opened.
    int TestPrinterStatus();

private:
    PortMap portMap_;
    std::string deviceName_;
    LineSettings settings_;
    unsigned perByteMs_ = 0, constantMs_ = 0;
    Port port_;
};

}  // namespace ports
