// The commands of the razir program and the exit codes they share.
#pragma once

#include <string>
#include <vector>

namespace razir {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // the work failed; the reason went to standard error
constexpr int kExitUsage = 2;   // bad usage

// razir note: the demo sale through a note format to a file or a printer (cmd_note.cpp).
int RunNote(const std::vector<std::string>& args);
// razir tables create|verify|rebuild|reindex|settings (cmd_tables.cpp).
int RunTables(const std::vector<std::string>& args);
// razir report ENTRY [P1 [P2 [direct]]] [steps] [--out F] (cmd_report.cpp).
int RunReportCommand(const std::vector<std::string>& args);
// razir demo [DIR] [flags]: writes a demo installation (cmd_demo.cpp).
int RunDemo(const std::vector<std::string>& args);
// razir gui: the desktop program's main window with the report menus (cmd_gui.cpp).
int RunGui(const std::vector<std::string>& args);
// The symbol of the desktop module (librazir_desktop.so beside the program), loaded on first
// use; nullptr, with the reason on standard error, when the module or the symbol is missing.
void* DesktopSymbol(const char* symbol, const char* command);

}  // namespace razir
