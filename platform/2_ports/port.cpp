// Opening a destination, bounded writes with poll(), and the printer status of each kind.
#include "platform/2_ports/port.h"

#include <fcntl.h>
#include <linux/lp.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/1_text/system_reason.h"

namespace ports {
namespace {

using Clock = std::chrono::steady_clock;

// The reason in Spanish for the failures a printer port meets; a file's, as for any file.
std::string Errno() {
    switch (errno) {
        case ENOENT: return "el dispositivo no existe";
        case EACCES:
        case EPERM: return "permiso denegado";
        case EBUSY: return "el dispositivo está ocupado";
        case EIO: return "error de entrada/salida (¿impresora apagada o desconectada?)";
        case ENXIO:
        case ENODEV: return "el dispositivo no responde";
        case EPIPE: return "quien leía del otro lado cerró la conexión";
        default: return text::MotivoSistema(errno);
    }
}

// A pipe whose reader went away raises SIGPIPE on write, which would end the program: the
// signal is held back while writing and a pending one discarded, so the write fails with EPIPE.
class HoldSigpipe {
public:
    HoldSigpipe() {
        sigemptyset(&set_);
        sigaddset(&set_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &set_, &old_);
    }
    ~HoldSigpipe() {
        if (!wasPending_) {
            timespec zero{};
            while (sigtimedwait(&set_, nullptr, &zero) > 0) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }

private:
    sigset_t set_, old_;
    bool wasPending_ = false;
};

}  // namespace

int LinePrinterStatus(int raw) {
    int s = 0;
    if (raw & LP_PBUSY) s |= 0x80;  // the BUSY line is inverted: set means ready
    if (raw & LP_PSELECD) s |= 0x10;
    if (raw & LP_POUTPA) s |= 0x20;
    if (!(raw & LP_PERRORP)) s |= 0x08;  // ERROR is active low on the wire
    return s;
}

Port::~Port() { Close(); }

void Port::Open(const std::string& path, const LineSettings& settings, const std::string& label) {
    Close();
    label_ = label.empty() ? path : label;
    std::string where = label_ == path ? path : label_ + " (" + path + ")";
    struct stat st{};
    bool exists = ::stat(path.c_str(), &st) == 0;
    int flags = O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    // A missing file is created as a file destination; a missing device is an error, never a
    // plain file left in /dev.
    if (exists ? S_ISREG(st.st_mode) : !path.starts_with("/dev/")) flags |= O_CREAT | O_APPEND;
    int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) throw PortError("No se pudo abrir el puerto " + where + ": " + Errno());
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        throw PortError("No se pudo abrir el puerto " + where + ": " + Errno());
    }
    Kind kind = Kind::File;
    if (S_ISCHR(st.st_mode)) kind = ::isatty(fd) ? Kind::Serial : Kind::LinePrinter;
    if (kind == Kind::Serial) {
        try {
            ConfigureLine(fd, settings, where);
        } catch (...) {
            ::close(fd);
            throw;
        }
    }
    fd_ = fd;
    kind_ = kind;
    path_ = path;
    settings_ = settings;
}

void Port::Write(const void* data, std::size_t n, std::chrono::milliseconds timeout) {
    if (fd_ < 0) throw PortError("El puerto " + label_ + " no está abierto");
    const char* p = static_cast<const char*>(data);
    auto deadline = Clock::now() + timeout;
    HoldSigpipe hold;
    while (n > 0) {
        ssize_t w = ::write(fd_, p, n);
        if (w > 0) {
            p += w;
            n -= static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN) {
            std::string why = Errno();
            Abort();
            throw PortError("Error al escribir en el puerto " + label_ + ": " + why +
                            "; el puerto se cerró");
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            Abort();
            throw PortError("La impresora en " + label_ +
                            " no recibe datos: se agotó el tiempo de escritura (" +
                            std::to_string(timeout.count()) + " ms); el puerto se cerró");
        }
        pollfd pfd{fd_, POLLOUT, 0};
        int r = ::poll(&pfd, 1, static_cast<int>(left.count()));
        // Line-printer drivers report writable even while busy; a short nap avoids spinning.
        if (r > 0 && kind_ == Kind::LinePrinter)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool Port::Drain(std::chrono::milliseconds timeout) {
    if (fd_ < 0) return false;
    if (kind_ != Kind::Serial) return true;
    auto deadline = Clock::now() + timeout;
    for (;;) {
        int pending = 0;
        if (::ioctl(fd_, TIOCOUTQ, &pending) != 0 || pending == 0) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void Port::Abort() {
    // What the driver still holds would otherwise make close() wait for a printer that
    // no longer reads (the serial driver's closing wait is up to 30 s).
    if (fd_ >= 0 && kind_ == Kind::Serial) ::tcflush(fd_, TCOFLUSH);
    Close();
}

void Port::Close() {
    if (fd_ < 0) return;
    if (kind_ == Kind::Serial && !Drain(std::chrono::milliseconds(2000))) ::tcflush(fd_, TCOFLUSH);
    ::close(fd_);
    fd_ = -1;
}

int Port::Status() const {
    if (fd_ < 0) return 0;
    switch (kind_) {
        case Kind::File: return kPrinterReady;
        case Kind::LinePrinter: {
            int raw = 0;
            // Drivers without the status call (some USB printers) are taken as ready.
            if (::ioctl(fd_, LPGETSTATUS, &raw) != 0) return kPrinterReady;
            return LinePrinterStatus(raw);
        }
        case Kind::Serial: {
            int lines = 0;
            if (settings_.flow == FlowControl::RtsCts && ::ioctl(fd_, TIOCMGET, &lines) == 0 &&
                !(lines & TIOCM_CTS))
                return 0x10;  // on line, but holding us off
            return kPrinterReady;
        }
    }
    return 0;
}

}  // namespace ports
