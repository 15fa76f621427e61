// The one entry point of the desktop module (librazir_desktop.so), looked up by name.
// Not here: loading the module (host/razir/cmd_gui.cpp).
#pragma once

// The module's file name beside the program, and the symbol `razir gui` calls.
inline constexpr char kDesktopModule[] = "librazir_desktop.so";
inline constexpr char kDesktopEntry[] = "RazirDesktopMain";

// Opens the main window on the installation and runs until it closes; with a picture path,
// writes the window's picture there and returns at once. Returns the program's exit code.
extern "C" int RazirDesktopMain(const char* picture) noexcept;
using RazirDesktopMainFn = int (*)(const char* picture) noexcept;

// Opens the note format editor on `formato` (a new format when empty) and runs until it closes.
inline constexpr char kDesktopEditor[] = "RazirDesktopEditor";
extern "C" int RazirDesktopEditor(const char* formato) noexcept;
using RazirDesktopEditorFn = int (*)(const char* formato) noexcept;
