#include "platform/2_shell/folders.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

using namespace shell;

TEST(Folders, ProgramFolderIsWhereTheTestBinaryLives) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(std::filesystem::canonical(folder), std::filesystem::canonical(RAZIR_BIN_DIR));
}

TEST(Folders, PathPieces) {
    struct Case { const char* path; const char* folder; const char* name; };
    constexpr Case kCases[] = {
        {"/opt/razir/Reportes/RTiendas.QR2", "/opt/razir/Reportes/", "RTiendas.QR2"},
        {"RTiendas.QR2", "", "RTiendas.QR2"},
        {"/opt/razir/", "/opt/razir/", ""},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    }
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt"), "/opt/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt/"), "/opt/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
}

TEST(Folders, CreateAndTest) {
    const std::string base = TempFolder() + "razir_shell_test_" + std::to_string(::getpid());
    const std::string deep = base + "/a/b";
    EXPECT_FALSE(DirectoryExists(deep));
    ASSERT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));  // already there: still fine
    std::filesystem::remove_all(base);
    EXPECT_FALSE(ForceDirectories(""));
}
