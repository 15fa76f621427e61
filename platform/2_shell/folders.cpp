// Program and temporary folders and path helpers over std::filesystem.
#include "platform/2_shell/folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace shell {

namespace fs = std::filesystem;

std::string ProgramFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return IncludeTrailingPathDelimiter(fs::current_path(ec).string());
    return IncludeTrailingPathDelimiter(exe.parent_path().string());
}

std::string TempFolder() {
    const char* env = std::getenv("TMPDIR");
    if (env && *env && DirectoryExists(env)) return IncludeTrailingPathDelimiter(env);
    return "/tmp/";
}

std::string ExtractFilePath(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (!out.empty() && out.back() != '/') out += '/';
    return out;
}

bool FileExists(std::string_view path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(fs::path(path), ec);
}

bool DirectoryExists(std::string_view path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(fs::path(path), ec);
}

bool ForceDirectories(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    fs::create_directories(fs::path(path), ec);
    return DirectoryExists(path);
}

}  // namespace shell
