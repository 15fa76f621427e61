// The reports of the program's menu as the product groups them (catalogues, inventory, sales,
// income, register), each named by the export of libReportes.so it calls, and the library
// the exports are looked up in. Not here: the window that shows the menu (main_window.h).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace razir::gui {

// How an export is called: with the store, its description and the direct-mode flag, or,
// for the user-defined reports, with nothing.
enum class EntryKind { StoreArgs, NoArgs };

struct ReportEntry {
    const char* exportName;  // "RTiendas"
    const char* caption;     // "Catálogo de &tiendas..."
    EntryKind kind = EntryKind::StoreArgs;
};

struct ReportGroup {
    const char* name;     // menu item name, "mnuCatalogos"
    const char* caption;  // "&Catálogos"
    std::vector<ReportEntry> entries;
};

const std::vector<ReportGroup>& ReportGroups();

// The entry points' types: plain C names, strings as UTF-8 C strings.
using StoreEntryPoint = void (*)(const char* P1, const char* P2, bool P3);
using NoArgsEntryPoint = void (*)();

// Finds exports by name; nullptr when the export (or the library) is missing.
class ReportLibrary {
public:
    virtual ~ReportLibrary() = default;
    virtual void* Find(std::string_view exportName) = 0;
};

// libReportes.so opened with dlopen from a folder (the program's); a library that cannot be
// opened finds nothing, and Error() says why.
class SharedReportLibrary : public ReportLibrary {
public:
    explicit SharedReportLibrary(const std::string& path);
    ~SharedReportLibrary() override;
    SharedReportLibrary(const SharedReportLibrary&) = delete;
    SharedReportLibrary& operator=(const SharedReportLibrary&) = delete;
    void* Find(std::string_view exportName) override;
    const std::string& Error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace razir::gui
