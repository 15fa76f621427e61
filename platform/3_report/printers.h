// Printer destinations and sending a rendered PDF to one: the CUPS destinations of the machine
// plus the "file" destination, which copies the PDF to a path. No CUPS scheduler, or a
// destination that does not exist, is a PrintError with a Spanish message, never a crash.
// Not here: the set-up dialog's choices (printer_dialog.h).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace report {

class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kFileDestination = "file";

struct Destination {
    std::string name;
    bool isDefault = false;
};

// CUPS destinations (empty when no scheduler answers) followed by "file".
std::vector<Destination> ListDestinations();

struct PrintRequest {
    std::string pdfPath;
    std::string destination = kFileDestination;
    std::string filePath;  // for the "file" destination
    std::string title;     // job title
    int copies = 1;
};

// Sends the PDF; returns the CUPS job id (0 for the file destination).
int SendToPrinter(const PrintRequest& request);

}  // namespace report
