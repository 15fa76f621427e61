// Sessions, databases and aliases: how a dataset's DatabaseName ("RazirWin10", a database
// component's name, or a folder path) becomes the data folder that holds its table files.
// Not here: table names to files (names.h).
#pragma once

#include <string>

namespace db {

// Maps an alias to a data folder; the application calls it once from its configuration
// (RegisterAlias("RazirWin10", folder)). Registering again replaces the folder.
void RegisterAlias(const std::string& alias, const std::string& folder);
void UnregisterAlias(const std::string& alias);
bool AliasExists(const std::string& alias);

// The folder a DatabaseName stands for: an open TDatabase of that name, then an alias, then
// an existing folder path. Raises EDatabaseError "No existe el alias <name>" otherwise.
std::string DatabaseFolder(const std::string& databaseName);

// The host's named session. NetFileDir is the network-control folder where the reports look
// for the per-day files; it defaults to the folder of alias "RazirWin10" when left empty.
class TSession {
public:
    explicit TSession(std::string name = "SessionRazirWindows") : SessionName(std::move(name)) {}
    std::string SessionName;
    std::string NetFileDir;

    std::string NetDir() const;  // NetFileDir, or the main alias's folder
    static TSession& Default();  // the one named "SessionRazirWindows"
};

// A named database over an alias or a folder. While connected, datasets whose DatabaseName
// equals DatabaseName use its folder.
class TDatabase {
public:
    TDatabase() = default;
    TDatabase(std::string databaseName, std::string aliasOrFolder);
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    std::string DatabaseName;
    std::string AliasName;  // alias, or a folder path
    std::string SessionName = "SessionRazirWindows";

    void Open();
    void Close();
    bool Connected() const { return connected_; }
    std::string Directory() const;

private:
    bool connected_ = false;
};

}  // namespace db
