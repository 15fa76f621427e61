// A fresh data folder per test, registered as an alias, removed afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/2_db/session.h"

namespace dbtest {

class TempFolder {
public:
    explicit TempFolder(const std::string& alias = "RazirTest") : alias_(alias) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "razir_db_XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
        db::RegisterAlias(alias_, path_);
    }
    ~TempFolder() {
        db::UnregisterAlias(alias_);
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }
    const std::string& Alias() const { return alias_; }

private:
    std::string alias_, path_;
};

}  // namespace dbtest
