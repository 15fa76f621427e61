// Looks for other users of a table file. SQLite takes no lock while a connection merely has a
// file open, so open descriptors are looked at as well as locks. The engine calls this before
// it opens the file itself, so a descriptor of this very process means that another part of
// the application (the data layer) has the table open: that is in use too. Then the lock
// probe is skipped, because closing the probe's descriptor would drop this process's locks.
#include "tablemaint/engine/busy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tablemaint {
namespace {

bool OpenedBy(const std::string& fdDir, const struct stat& target) {
    DIR* fds = opendir(fdDir.c_str());
    if (!fds) return false;  // another user's process, or gone
    bool found = false;
    while (dirent* f = readdir(fds)) {
        if (f->d_name[0] == '.') continue;
        struct stat st {};
        if (stat((fdDir + "/" + f->d_name).c_str(), &st) == 0 && st.st_dev == target.st_dev &&
            st.st_ino == target.st_ino) {
            found = true;
            break;
        }
    }
    closedir(fds);
    return found;
}

bool OpenedByOtherProcess(const struct stat& target) {
    DIR* proc = opendir("/proc");
    if (!proc) return false;
    const pid_t self = getpid();
    bool found = false;
    while (!found) {
        dirent* p = readdir(proc);
        if (!p) break;
        char* end = nullptr;
        long pid = std::strtol(p->d_name, &end, 10);
        if (!end || *end || pid <= 0 || pid == self) continue;
        found = OpenedBy(std::string("/proc/") + p->d_name + "/fd", target);
    }
    closedir(proc);
    return found;
}

// SQLite's locks live in a 512-byte range at 1 GiB; F_GETLK reports locks of other processes.
bool LockedByOtherProcess(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct flock lk {};
    lk.l_type = F_WRLCK;
    lk.l_whence = SEEK_SET;
    lk.l_start = 0x40000000;
    lk.l_len = 512;
    bool locked = fcntl(fd, F_GETLK, &lk) == 0 && lk.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

}  // namespace

bool ArchivoOcupado(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return false;
    if (OpenedBy("/proc/self/fd", st)) return true;
    return OpenedByOtherProcess(st) || LockedByOtherProcess(path);
}

}  // namespace tablemaint
