// Free line rates (14400, 56000, 128000 ...) through termios2 and BOTHER. Kept apart because
// the kernel's termios2 header cannot share a file with the C library's <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace ports::detail {

bool SetFreeRate(int fd, unsigned rate) {
    struct termios2 t;
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= BOTHER;
    t.c_ispeed = rate;
    t.c_ospeed = rate;
    t.c_cflag &= ~(CBAUD << IBSHIFT);
    t.c_cflag |= BOTHER << IBSHIFT;
    return ioctl(fd, TCSETS2, &t) == 0;
}

unsigned GetRate(int fd) {
    struct termios2 t;
    if (ioctl(fd, TCGETS2, &t) != 0) return 0;
    return t.c_ospeed;
}

}  // namespace ports::detail
