// A pseudo-terminal standing in for a serial ticket printer: the code under test opens the
// slave path as its port and the test reads the exact bytes from the master.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace testing_ports {

class PseudoPrinter {
public:
    PseudoPrinter() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        path_ = ptsname(master_);
        // Holding the slave open keeps the line alive between the opens and closes of the
        // code under test (a pty hangs up when its last slave closes).
        slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
        termios t{};
        tcgetattr(slave_, &t);
        cfmakeraw(&t);
        tcsetattr(slave_, TCSANOW, &t);
    }
    ~PseudoPrinter() {
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
    }
    bool ok() const { return slave_ >= 0; }
    // The printer unplugged: both ends closed, so the next write fails.
    void Disconnect() {
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
        slave_ = master_ = -1;
    }
    const std::string& path() const { return path_; }
    int slave() const { return slave_; }

    // What has arrived so far (one read), waiting at most `wait` for the first byte; unlike
    // Read it returns while the writer is still sending.
    std::string ReadSome(std::chrono::milliseconds wait) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(wait.count())) <= 0) return {};
        char buf[4096];
        ssize_t n = ::read(master_, buf, sizeof buf);
        return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
    }

    // Everything the printer has received, waiting until the line stays quiet for `quiet`.
    std::string Read(std::chrono::milliseconds quiet = std::chrono::milliseconds(50)) {
        std::string out;
        char buf[4096];
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(quiet.count())) <= 0) break;
            ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0) break;
            out.append(buf, static_cast<size_t>(n));
        }
        return out;
    }

private:
    int master_ = -1, slave_ = -1;
    std::string path_;
};

}  // namespace testing_ports
