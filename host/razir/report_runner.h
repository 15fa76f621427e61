// Runs one report entry point of libReportes.so as the host does, with the user played by a
// script (the command line's --set, --press and --answer steps) and the preview written where
// the caller asks. Used by `razir report` and by the demo.
// Not here: the installation (the caller opens it with velmor::OpenSession).
#pragma once

#include <string>
#include <vector>

#include "platform/2_vcl/driver.h"
#include "platform/2_vcl/script.h"

namespace razir {

struct ReportRun {
    std::string entry;          // exported name: "RTiendas"
    std::string p1, p2;         // store code and description, or the direct-mode pair
    bool direct = false;        // P3
    std::vector<vcl::Step> steps;
    std::string out;            // preview to a file: .pdf, .png (one file per page) or .txt
    std::string printTo;        // print to this destination ("file:/path.pdf" or a CUPS name)
};

struct ReportOutcome {
    bool previewed = false;
    int pages = 0;
    std::vector<std::string> files;  // what the preview wrote
    std::vector<vcl::MessageRecord> messages;
    std::vector<std::string> failures;  // steps the script could not play
    bool dialogLeftOpen = false;        // the script ended with the dialog still open
};

// Throws std::runtime_error when the library or the entry point cannot be found.
ReportOutcome RunReport(const ReportRun& run);

// The exported entry points the library has, in the order the host's menu lists them.
std::vector<std::string> ReportEntries();
// False for a report that has no preview (it prints at once), which the demo leaves out.
bool HasPreview(const std::string& entry);

}  // namespace razir
