// Whether a table file is in use by another process, so maintenance leaves it alone.
// Not here: the locks the engine itself takes while it works (Connection::LockExclusive).
#pragma once

#include <string>

namespace tablemaint {

// True when another process, or another part of this one, holds the file open (seen in
// /proc), or another process holds an SQLite lock on it.
bool ArchivoOcupado(const std::string& path);

}  // namespace tablemaint
