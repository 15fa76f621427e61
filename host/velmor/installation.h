// The installation: its folder (RAZIR_HOME, or the program's folder), its configuration file
// razir.ini, and what that file carries: the configuration object's values, the data folders
// by alias, the per-day files folder, the help folder, port names, the printer code page and
// the regional settings. docs/configuration.md lists every section and key.
// Not here: the configuration object itself (config.h), opening tables (platform/2_db).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/velmor/config.h"
#include "platform/1_text/ini.h"
#include "platform/1_text/locale.h"

namespace velmor {

// razir.ini is read by the text layer's one INI reader; its errors are the installation's.
using text::ConfigError;
using text::IniEntry;
using text::IniFile;
using text::IniSection;

// RAZIR_HOME when set and not empty, otherwise the running program's folder; with a
// trailing "/".
std::string FindInstallationFolder();

struct Installation {
    std::string Folder;      // with a trailing "/"
    std::string ConfigFile;  // Folder + "razir.ini"
    // False when razir.ini was missing and every value is a default; the command line decides
    // whether that is an error.
    bool ConfigFound = false;

    TRazirConfig Config;
    // FechaTrabajo left empty in the file: the working date is the day the program runs, and
    // Save keeps it empty rather than freezing that day.
    bool FechaTrabajoHoy = true;

    // Alias name to data folder (trailing "/"); "RazirWin10" is always present.
    std::vector<std::pair<std::string, std::string>> Aliases;
    std::string NetFileDir;  // folder of the per-day files; "" means the RazirWin10 folder
    std::string HelpFolder;  // folder of the HTML help pages (Folder + "ayuda/")
    // Port name to device or file: "COM1" -> "/dev/ttyS0", "LPT1" -> "/dev/lp0".
    std::vector<std::pair<std::string, std::string>> Ports;
    std::string PrinterCodePage = "CP850";  // CP437, CP850, CP858 or CP1252
    text::FormatSettings Regional;

    // Sections of the file this program does not know, kept for Save, and one line about each.
    IniFile OtherSections;
    std::vector<std::string> Warnings;

    // Folder of an alias (matched ignoring case), "" when there is no such alias.
    std::string DataFolder(std::string_view alias = "RazirWin10") const;
    // NetFileDir, or the RazirWin10 folder when it is empty.
    std::string NetFolder() const;
    // The device of a port name (ignoring case), "" when it is not mapped.
    std::string PortDevice(std::string_view port) const;

    // Every value at its default, for an installation in folder.
    static Installation Defaults(std::string_view folder);
    // Reads folder/razir.ini; a missing file gives Defaults with ConfigFound false. Throws
    // ConfigError for a file that cannot be read or holds a bad value.
    static Installation Load(std::string_view folder);
    // The same from text; fileName labels errors.
    static Installation Parse(std::string_view text, std::string_view folder,
                              std::string_view fileName);

    // The whole configuration as razir.ini text: every key, folders inside the installation
    // written relative to it. Parse(ToText()) gives the same values back.
    std::string ToText() const;
    // Makes this the running program's installation: RazirWinConfig points to Config, the
    // default format settings become Regional and help pages come from HelpFolder. The object
    // must outlive its use. The data layer's aliases and NetFileDir are the program's to
    // register (db::RegisterAlias for each of Aliases), since velmor does not reach tables.
    void MakeCurrent();

    // Writes ToText() to path (ConfigFile when empty), through a temporary file renamed over
    // the old one so a failed write never leaves half a file. Throws ConfigError.
    void Save(std::string_view path = {}) const;
};

// The installation made current last (MakeCurrent), null before any: what code that runs
// inside the program, such as a report printing a note, reads the ports and code page from.
const Installation* CurrentInstallation();

}  // namespace velmor
