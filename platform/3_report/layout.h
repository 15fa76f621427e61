// Reading a report layout: an XML file of our own format (docs/report-layouts.md) into a
// Report, its datasets built by the caller's factory. Every fault in the file is a
// LayoutError naming the file, the line and what is wrong.
// Not here: opening datasets or printing (printer_dialog.h, engine.h).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/3_report/dataset.h"
#include "platform/3_report/report.h"

namespace report {

class LayoutError : public std::runtime_error {
public:
    LayoutError(std::string file, int line, std::string what);
    const std::string& File() const { return file_; }
    int Line() const { return line_; }
    const std::string& What() const { return what_; }

private:
    std::string file_;
    int line_;
    std::string what_;
};

// The path of an existing file matching `path`, comparing the file name ignoring case
// ("Reportes/rtiendas.qr2" finds "Reportes/RTiendas.QR2"); empty when there is none.
std::string FindLayoutFile(const std::string& path);

// Loads a layout file (its name matched ignoring case). Throws LayoutError.
std::unique_ptr<Report> LoadLayout(const std::string& path, DatasetFactory& factory);
// Parses layout text; `file` names it in error messages.
std::unique_ptr<Report> ParseLayout(std::string_view xml, const std::string& file,
                                    DatasetFactory& factory);

}  // namespace report
