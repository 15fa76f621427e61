// Where things are: the running program's folder, the temporary folder, and the few path
// helpers the product uses with the component library's names and trailing-separator habits.
// Not here: opening addresses (browser.h), or table files by name (platform/2_db).
#pragma once

#include <string>
#include <string_view>

namespace shell {

// The folder of the running executable with a trailing "/", from /proc/self/exe; the current
// folder when that cannot be read.
std::string ProgramFolder();
// $TMPDIR when set and a folder, otherwise /tmp; with a trailing "/".
std::string TempFolder();

// "a/b/c.txt" -> "a/b/" (empty when there is no folder part).
std::string ExtractFilePath(std::string_view path);
// "a/b/c.txt" -> "c.txt".
std::string ExtractFileName(std::string_view path);
// Adds "/" unless the path already ends with one (an empty path stays empty).
std::string IncludeTrailingPathDelimiter(std::string_view path);

bool FileExists(std::string_view path);       // a regular file (or a link to one)
bool DirectoryExists(std::string_view path);  // a folder (or a link to one)
// Creates the folder and its missing parents; false when it cannot (the reason in errno).
bool ForceDirectories(std::string_view path);

}  // namespace shell
