// Table names to table files, case-insensitively, with the old engine's ".DB" default.
#include "platform/2_db/names.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

namespace db {
namespace fs = std::filesystem;

std::string FoldName(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (size_t k = 0; k < name.size(); ++k) {
        unsigned char c = static_cast<unsigned char>(name[k]);
        if (c < 0x80) {
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        } else if (c == 0xC3 && k + 1 < name.size()) {
            // Latin-1 supplement capitals (Á É Í Ó Ú Ñ Ü ...) sit 0x20 below their small forms.
            unsigned char d = static_cast<unsigned char>(name[k + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97) d += 0x20;
            out += static_cast<char>(c);
            out += static_cast<char>(d);
            ++k;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool SameName(const std::string& a, const std::string& b) { return FoldName(a) == FoldName(b); }

namespace {

std::string WithExtension(std::string name) {
    const auto slash = name.find_last_of('/');
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) name += ".DB";
    return name;
}

// A Windows path the reports may carry ("C:\Datos\X.DB"): slashes turned, drive dropped.
std::string PosixPath(std::string name) {
    for (char& c : name)
        if (c == '\\') c = '/';
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0])))
        name = name.substr(2);
    return name;
}

// Folded file names of a folder, kept while the folder's modification time stays the same:
// a data folder holds thousands of per-day files, and a query names tables in any case.
struct FolderIndex {
    fs::file_time_type stamp;
    std::map<std::string, std::string> files;  // folded name -> name as on disk
};

std::optional<std::string> LookUp(const fs::path& dir, const std::string& folded) {
    static std::mutex mutex;
    static std::map<std::string, FolderIndex> cache;
    std::error_code ec;
    const auto stamp = fs::last_write_time(dir, ec);
    if (ec) return std::nullopt;
    std::lock_guard lock(mutex);
    FolderIndex& index = cache[dir.string()];
    if (index.files.empty() || index.stamp != stamp) {
        index.files.clear();
        index.stamp = stamp;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            index.files.emplace(FoldName(name), name);
        }
    }
    auto it = index.files.find(folded);
    if (it == index.files.end()) return std::nullopt;
    return it->second;
}

std::string FindIgnoringCase(const fs::path& dir, const std::string& file) {
    std::error_code ec;
    if (fs::exists(dir / file, ec)) return (dir / file).string();
    if (auto found = LookUp(dir, FoldName(file))) {
        if (fs::exists(dir / *found, ec)) return (dir / *found).string();
    }
    return (dir / file).string();
}

}  // namespace

std::string TableStem(const std::string& tableName) {
    std::string name = PosixPath(tableName);
    if (name.size() > 1 && name[0] == ':') {
        const auto second = name.find(':', 1);
        if (second != std::string::npos) name = name.substr(second + 1);  // ":Alias:Tabla"
    }
    const auto slash = name.find_last_of('/');
    if (slash != std::string::npos) name = name.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
    return name;
}

std::string ResolveTableFile(const std::string& folder, const std::string& tableName) {
    const std::string name = WithExtension(PosixPath(tableName));
    const auto slash = name.find_last_of('/');
    if (slash == std::string::npos) return FindIgnoringCase(folder.empty() ? "." : folder, name);
    fs::path dir = name.substr(0, slash);
    const std::string file = name.substr(slash + 1);
    std::error_code ec;
    if (dir.is_relative() && !folder.empty()) dir = fs::path(folder) / dir;
    // A path from another machine whose folder does not exist here: the table is looked
    // for in the database's own folder, where the installation keeps its tables.
    if (!fs::is_directory(dir, ec) && !folder.empty()) return FindIgnoringCase(folder, file);
    return FindIgnoringCase(dir, file);
}

bool TableFileExists(const std::string& folder, const std::string& tableName) {
    std::error_code ec;
    return fs::is_regular_file(ResolveTableFile(folder, tableName), ec);
}

}  // namespace db
