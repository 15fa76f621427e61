// Opens an address (a help page, a file) in the user's browser through xdg-open, without ever
// waiting for it. Headless, or when xdg-open is missing, the address is only recorded, so the
// command line and the tests can see what would have been shown.
// Not here: which page a help address means (host/velmor/help.*).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shell {

enum class BrowserMode {
    Automatic,  // launch when a display is present and xdg-open is found; always record
    RecordOnly, // never launch (tests, scripted runs)
};

void SetBrowserMode(BrowserMode mode);
BrowserMode GetBrowserMode();

// Records the address and, in Automatic mode with a display, starts xdg-open on it detached.
// Returns true when a viewer was started. Never throws, never blocks.
bool OpenAddress(std::string_view address);

// Every address OpenAddress was given since the start or the last clear, oldest first.
std::vector<std::string> OpenedAddresses();
void ClearOpenedAddresses();

// The full path of a program found on PATH, or "" (exposed for the launch decision and tests).
std::string FindOnPath(std::string_view program);

}  // namespace shell
