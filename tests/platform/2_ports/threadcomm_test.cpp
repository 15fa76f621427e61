// The port component against a pseudo-terminal as the serial printer and files as the line
// printer: bytes received, line settings, time-outs and status.
#include "platform/2_ports/threadcomm.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/platform/2_ports/pty.h"

namespace ports {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path TempFile(const std::string& name) {
    fs::path p = fs::temp_directory_path() / ("razir_ports_" + std::to_string(::getpid()) + name);
    fs::remove(p);
    return p;
}

TEST(TThreadComm, WritesTheSmallerOfCapacityAndCountToASerialLine) {
    testing_ports::PseudoPrinter printer;
    ASSERT_TRUE(printer.ok());
    TThreadComm comm({{"COM1", printer.path()}});
    comm.SetDeviceName("COM1");
    comm.Open();
    const unsigned char block[81] = {27, 64};
    comm.WriteNBytes(block, 80, 20);  // the fixed block
    comm.WriteNBytes(block, 80, 2);   // the exact variant
    comm.WriteNBytes(block, 80, 0);
    comm.Close();
    std::string expected(20, '\0');
    expected[0] = 27;
    expected[1] = 64;
    expected += "\x1b@";
    EXPECT_EQ(printer.Read(), expected);
}

TEST(LineSettings, FramingOfEveryParityAndSize) {
    struct Case {
        Parity parity;
        int dataBits;
        StopBits stop;
        tcflag_t set, clear;
    };
    const Case cases[] = {
        {Parity::None, 8, StopBits::One, CS8, PARENB | CSTOPB},
        {Parity::Odd, 7, StopBits::Two, CS7 | PARENB | PARODD | CSTOPB, CMSPAR},
        {Parity::Even, 7, StopBits::One, CS7 | PARENB, PARODD | CMSPAR | CSTOPB},
        {Parity::Mark, 8, StopBits::OneAndHalf, CS8 | PARENB | PARODD | CMSPAR | CSTOPB, 0},
        {Parity::Space, 5, StopBits::One, CS5 | PARENB | CMSPAR, PARODD | CSTOPB},
    };
    for (const auto& c : cases) {
        termios t{};
        t.c_cflag = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;  // all switched on before
        ApplyLineSettings(t, {9600, c.dataBits, c.parity, c.stop});
        EXPECT_EQ(t.c_cflag & CSIZE, c.set & CSIZE) << "row " << (&c - cases);
        EXPECT_EQ(t.c_cflag & (c.set & ~CSIZE), c.set & ~CSIZE) << "row " << (&c - cases);
        EXPECT_EQ(t.c_cflag & c.clear, 0u) << "row " << (&c - cases);
    }
}

TEST(TThreadComm, LineSettingsReachTheTerminalOnEveryOpen) {
    // A pty keeps rate and stop bits but forces 8 bits without parity, so framing is
    // checked above on the termios itself.
    testing_ports::PseudoPrinter printer;
    ASSERT_TRUE(printer.ok());
    TThreadComm comm({{"COM2", printer.path()}});
    comm.SetDeviceName("COM2");
    comm.SetParity(paEven);
    comm.SetBaudRate(br19200);
    comm.SetStopBits(sb2);
    comm.SetDataBits(db7);
    EXPECT_EQ(comm.Settings(), (LineSettings{19200, 7, Parity::Even, StopBits::Two}));
    comm.Open();
    termios t{};
    ASSERT_EQ(tcgetattr(printer.slave(), &t), 0);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B19200));

    comm.Close();
    comm.SetStopBits(sb1);
    comm.SetBaudRate(br56000);  // not in the standard table: a free rate
    comm.Open();                // applied again on every open
    ASSERT_EQ(tcgetattr(printer.slave(), &t), 0);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_EQ(CurrentRate(printer.slave()), 56000u);
}

TEST(TThreadComm, APrinterThatStopsReadingTimesOutAndThePortCloses) {
    testing_ports::PseudoPrinter printer;  // never read
    ASSERT_TRUE(printer.ok());
    TThreadComm comm({{"COM1", printer.path()}});
    comm.SetDeviceName("COM1");
    comm.SetBaudRate(br115200);
    comm.MinimumWriteTimeout = 100ms;
    comm.Open();
    ASSERT_TRUE(comm.SetWriteTimeouts(1, 10));
    std::vector<unsigned char> chunk(256, 'x');
    auto start = std::chrono::steady_clock::now();
    std::string error;
    try {
        for (int i = 0; i < 10000; ++i) comm.WriteNBytes(chunk.data(), 256, 256);
    } catch (const PortError& e) {
        error = e.what();
    }
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_NE(error.find("no recibe datos"), std::string::npos) << error;
    EXPECT_NE(error.find("COM1"), std::string::npos) << error;
    EXPECT_FALSE(comm.Connected());
    EXPECT_LT(took, 5s);
    EXPECT_THROW(comm.WriteNBytes(chunk.data(), 1, 1), PortError);  // nothing written when closed
}

TEST(TThreadComm, TimeOutsGrowWithTheByteCountAndSlowLines) {
    TThreadComm comm;
    comm.MinimumWriteTimeout = 0ms;
    comm.SetBaudRate(br2400);  // ~4.6 ms a character with 8N1 and start bit
    // Twice the wire time: 100 bytes at 2400 baud take 417 ms on the wire.
    EXPECT_GE(comm.WriteTimeoutFor(100), 800ms);
    comm.SetBaudRate(br115200);
    EXPECT_LT(comm.WriteTimeoutFor(100), 50ms);
    EXPECT_GT(comm.WriteTimeoutFor(10000), comm.WriteTimeoutFor(100));
    comm.MinimumWriteTimeout = 2000ms;
    EXPECT_EQ(comm.WriteTimeoutFor(1), 2000ms);
}

TEST(TThreadComm, AFileIsALinePrinterThatKeepsEveryNote) {
    fs::path out = TempFile("lp.bin");
    TThreadComm comm({{"LPT1", out.string()}});
    comm.SetDeviceName("LPT1");
    EXPECT_EQ(comm.TestPrinterStatus(), kPrinterReady);
    const unsigned char text[] = "uno\n";
    for (int i = 0; i < 2; ++i) {
        comm.Open();
        comm.WriteNBytes(text, 4, 4);
        comm.Close();
    }
    EXPECT_EQ(Slurp(out), "uno\nuno\n");
    fs::remove(out);
}

TEST(TThreadComm, AMissingDeviceIsAClearErrorAndNotReady) {
    TThreadComm comm(PortMap{{"COM7", "/dev/no-such-dir/ttyX"}});
    comm.SetDeviceName("COM7");
    EXPECT_EQ(comm.TestPrinterStatus(), 0);
    try {
        comm.Open();
        FAIL() << "opened a missing device";
    } catch (const PortError& e) {
        EXPECT_NE(std::string(e.what()).find("No se pudo abrir el puerto COM7"), std::string::npos)
            << e.what();
    }
    EXPECT_FALSE(comm.Connected());
    const unsigned char b[1] = {1};
    EXPECT_THROW(comm.WriteNBytes(b, 1, 1), PortError);
}

TEST(TThreadComm, AMissingDeviceIsNeverCreatedAsAFile) {
    TThreadComm comm(PortMap{{"COM8", "/dev/razir-no-such-tty"}});
    comm.SetDeviceName("COM8");
    EXPECT_THROW(comm.Open(), PortError);
    EXPECT_FALSE(fs::exists("/dev/razir-no-such-tty"));
}

TEST(Port, AReaderThatGoesAwayIsAnErrorNotTheEndOfTheProgram) {
    fs::path fifo = TempFile("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    Port port;
    port.Open(fifo.string(), {}, "LPT1");
    ::close(reader);
    try {
        port.Write("x", 1, std::chrono::milliseconds(100));
        FAIL() << "wrote to a pipe nobody reads";
    } catch (const PortError& e) {
        EXPECT_NE(std::string(e.what()).find("cerró la conexión"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(port.IsOpen());
    fs::remove(fifo);
}

TEST(LinePrinter, StatusLinesToTheStatusByte) {
    struct Case {
        int lines;
        int status;
        const char* why;
    };
    // Bits of the driver: 0x80 not busy, 0x40 ack, 0x20 paper out, 0x10 selected, 0x08 no error.
    const Case cases[] = {
        {0x80 | 0x10 | 0x08, kPrinterReady, "ready"},
        {0xD8, kPrinterReady, "ready, acknowledge line up"},
        {0x10 | 0x08, 0x10, "busy"},
        {0x80 | 0x10 | 0x20 | 0x08, 0xB0, "out of paper"},
        {0x80 | 0x10, 0x98, "fault"},
        {0x80 | 0x08, 0x80, "off line"},
    };
    for (const auto& c : cases) EXPECT_EQ(LinePrinterStatus(c.lines), c.status) << c.why;
}

TEST(TThreadComm, SerialPrinterStatusIsReadyWhenTheLineIsThere) {
    testing_ports::PseudoPrinter printer;
    ASSERT_TRUE(printer.ok());
    TThreadComm comm({{"COM1", printer.path()}});
    comm.SetDeviceName("COM1");
    EXPECT_EQ(comm.TestPrinterStatus(), 144);
}

}  // namespace
}  // namespace ports
