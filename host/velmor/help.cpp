// Help addresses to HTML pages. A compiled help address is "<folder><Name>.chm::/<topic>";
// the pages of <Name> live in "<help folder><Name>/", and a missing topic falls back to the
// help's index so the user lands somewhere useful rather than on nothing.
#include "host/velmor/help.h"

#include <filesystem>
#include <mutex>

#include "platform/2_shell/browser.h"
#include "platform/2_shell/folders.h"
#include "platform/1_text/fold.h"

namespace velmor {
namespace {

namespace fs = std::filesystem;

struct HelpState {
    std::mutex mutex;
    std::string folder;
    std::string lastAddress;
    std::string lastPage;
};

HelpState& State() {
    static HelpState s;
    return s;
}

// The entry of folder whose name equals name ignoring case, or "" (help pages copied from
// another system often differ in case: "194.HTM").
std::string FindIgnoringCase(const std::string& folder, std::string_view name) {
    std::error_code ec;
    if (shell::FileExists(folder + std::string(name))) return folder + std::string(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (text::SameText(it->path().filename().string(), name)) return it->path().string();
    return {};
}

std::string FindFolderIgnoringCase(const std::string& parent, std::string_view name) {
    if (shell::DirectoryExists(parent + std::string(name)))
        return shell::IncludeTrailingPathDelimiter(parent + std::string(name));
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec) && text::SameText(it->path().filename().string(), name))
            return shell::IncludeTrailingPathDelimiter(it->path().string());
    return shell::IncludeTrailingPathDelimiter(parent + std::string(name));
}

}  // namespace

std::string HelpPage(std::string_view address) {
    std::string lower = text::FoldCase(address);
    const size_t chm = lower.find(".chm");
    if (chm == std::string::npos) return {};
    const std::string_view file = address.substr(0, chm);  // "<folder>Razir"
    const std::string programFolder = shell::ExtractFilePath(file);
    const std::string helpName = shell::ExtractFileName(file);
    std::string_view topic = address.substr(chm + 4);
    if (topic.substr(0, 2) == "::") topic.remove_prefix(2);
    while (!topic.empty() && (topic.front() == '/' || topic.front() == '\\')) topic.remove_prefix(1);
    std::string anchor;
    if (const size_t hash = topic.find('#'); hash != std::string_view::npos) {
        anchor = std::string(topic.substr(hash));
        topic = topic.substr(0, hash);
    }

    std::string helpFolder;
    {
        std::lock_guard lock(State().mutex);
        helpFolder = State().folder;
    }
    if (helpFolder.empty()) helpFolder = programFolder + "ayuda/";
    const std::string pages = FindFolderIgnoringCase(helpFolder, helpName);
    if (!topic.empty()) {
        const std::string page = FindIgnoringCase(pages, topic);
        if (!page.empty()) return page + anchor;
    }
    const std::string index = FindIgnoringCase(pages, "index.htm");
    return index.empty() ? pages + "index.htm" : index;
}

bool HtmlAyuda(const void*, std::string_view address, int, int) {
    const std::string page = HelpPage(address);
    {
        std::lock_guard lock(State().mutex);
        State().lastAddress = std::string(address);
        State().lastPage = page;
    }
    if (page.empty()) return false;
    const std::string file = page.substr(0, page.find('#'));
    // A path with an anchor is no longer a file name: hand the browser a file URL then.
    shell::OpenAddress(file.size() == page.size() ? page : "file://" + page);
    return shell::FileExists(file);
}

void SetHelpFolder(std::string folder) {
    std::lock_guard lock(State().mutex);
    State().folder = shell::IncludeTrailingPathDelimiter(folder);
}

std::string LastHelpAddress() {
    std::lock_guard lock(State().mutex);
    return State().lastAddress;
}

std::string LastHelpPage() {
    std::lock_guard lock(State().mutex);
    return State().lastPage;
}

}  // namespace velmor
