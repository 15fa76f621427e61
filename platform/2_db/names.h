// From a table name as the system writes it ("Usuarios", "usuarios.db", "V012905H.DB",
// "C:\Datos\X.DB") to the one file that holds that table, ignoring case. Not here: which
// folder an alias means (session.h).
#pragma once

#include <string>

namespace db {

// The file of `tableName` in `folder`: ".DB" is added when the name has no extension; a name
// with a folder part (either slash) is a path of its own; an existing file whose name differs
// only in case wins with its own spelling. The file need not exist.
std::string ResolveTableFile(const std::string& folder, const std::string& tableName);

// The table's name inside its file: the file name without folder, alias (":RazirWin10:") and
// extension.
std::string TableStem(const std::string& tableName);

bool TableFileExists(const std::string& folder, const std::string& tableName);

// Case folding for names: ASCII and the Spanish accented letters, UTF-8 in and out.
std::string FoldName(const std::string& name);
bool SameName(const std::string& a, const std::string& b);

}  // namespace db
