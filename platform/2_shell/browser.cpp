// Starts xdg-open with a double fork: the child exits at once and is reaped here, the
// grandchild runs the viewer and is adopted by init, so the caller never waits and leaves no
// zombie. Every address is also recorded for tests and scripted runs.
#include "platform/2_shell/browser.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

#include "platform/2_shell/folders.h"

namespace shell {
namespace {

struct State {
    std::mutex mutex;
    BrowserMode mode = BrowserMode::Automatic;
    std::vector<std::string> opened;
};

State& Shared() {
    static State s;
    return s;
}

bool HasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

bool Launch(const std::string& program, const std::string& address) {
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        if (fork() == 0) {
            setsid();
            execl(program.c_str(), program.c_str(), address.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

void SetBrowserMode(BrowserMode mode) {
    std::lock_guard lock(Shared().mutex);
    Shared().mode = mode;
}

BrowserMode GetBrowserMode() {
    std::lock_guard lock(Shared().mutex);
    return Shared().mode;
}

std::string FindOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        if (!dir.empty()) {
            const std::string candidate = IncludeTrailingPathDelimiter(dir) + std::string(program);
            if (FileExists(candidate) && access(candidate.c_str(), X_OK) == 0) return candidate;
        }
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return {};
}

bool OpenAddress(std::string_view address) {
    BrowserMode mode;
    {
        std::lock_guard lock(Shared().mutex);
        Shared().opened.emplace_back(address);
        mode = Shared().mode;
    }
    if (mode != BrowserMode::Automatic || !HasDisplay()) return false;
    const std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) return false;
    return Launch(opener, std::string(address));
}

std::vector<std::string> OpenedAddresses() {
    std::lock_guard lock(Shared().mutex);
    return Shared().opened;
}

void ClearOpenedAddresses() {
    std::lock_guard lock(Shared().mutex);
    Shared().opened.clear();
}

}  // namespace shell
