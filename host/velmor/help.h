// The host's help call. Addresses name a topic inside a compiled help file beside the program
// ("<folder>Razir.chm::/194.htm"); here the help ships as HTML pages, one folder per help
// file, and the topic opens in the user's browser through platform/2_shell.
// Not here: which topic a dialog asks for (reports/framework).
#pragma once

#include <string>
#include <string_view>

namespace velmor {

// The page an address stands for: "<folder>Razir.chm::/194.htm" ->
// "<help folder>Razir/194.htm" when that page exists, otherwise that help's "index.htm".
// The help folder is "<folder>ayuda/" unless SetHelpFolder gave another. Page names match
// ignoring case; an anchor ("194.htm#total") is kept. "" for an address with no ".chm".
std::string HelpPage(std::string_view address);

// Opens the page of the address (HelpPage) and returns true when a page was found. The owner
// window and the two integers are accepted as the host's callers pass them (desktop window,
// 0, 0) and not used. Headless runs only record the page (shell::OpenedAddresses).
bool HtmlAyuda(const void* owner, std::string_view address, int command = 0, int data = 0);

// The installation's help folder (Installation::HelpFolder); "" goes back to the default.
void SetHelpFolder(std::string folder);

// The last address HtmlAyuda was given and the page it opened ("" before the first call).
std::string LastHelpAddress();
std::string LastHelpPage();

}  // namespace velmor
