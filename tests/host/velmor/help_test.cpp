#include "host/velmor/help.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/2_shell/browser.h"
#include "platform/2_shell/folders.h"

using namespace velmor;
namespace fs = std::filesystem;

class Help : public ::testing::Test {
protected:
    void SetUp() override {
        shell::SetBrowserMode(shell::BrowserMode::RecordOnly);
        shell::ClearOpenedAddresses();
        SetHelpFolder("");
        folder_ = shell::TempFolder() + "razir_help_" + std::to_string(::getpid()) + "/";
        fs::create_directories(folder_ + "ayuda/Razir");
        fs::create_directories(folder_ + "ayuda/tolmaa");
        std::ofstream(folder_ + "ayuda/Razir/194.htm") << "<html>tiendas</html>";
        std::ofstream(folder_ + "ayuda/Razir/index.htm") << "<html>indice</html>";
        std::ofstream(folder_ + "ayuda/tolmaa/555.HTM") << "<html>ventas</html>";
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string folder_;
};

TEST_F(Help, AddressesToPages) {
    struct Case { std::string address, page; };
    const Case kCases[] = {
        {folder_ + "Razir.chm::/194.htm", folder_ + "ayuda/Razir/194.htm"},
        {folder_ + "Razir.chm::/999.htm", folder_ + "ayuda/Razir/index.htm"},
        {folder_ + "Razir.chm", folder_ + "ayuda/Razir/index.htm"},
        {folder_ + "Razir.chm::/194.htm#total", folder_ + "ayuda/Razir/194.htm#total"},
        {folder_ + "Tolmaa.chm::/555.htm", folder_ + "ayuda/tolmaa/555.HTM"},
        {folder_ + "Tolmaa.chm::/5276.htm", folder_ + "ayuda/tolmaa/index.htm"},
        {"sin ayuda", ""},
    };
    for (const auto& c : kCases) EXPECT_EQ(HelpPage(c.address), c.page) << c.address;
}

TEST_F(Help, HtmlAyudaRecordsAndNeverBlocks) {
    const std::string address = folder_ + "Razir.chm::/194.htm";
    EXPECT_TRUE(HtmlAyuda(nullptr, address, 0, 0));
    EXPECT_EQ(LastHelpAddress(), address);
    EXPECT_EQ(LastHelpPage(), folder_ + "ayuda/Razir/194.htm");
    EXPECT_EQ(shell::OpenedAddresses(), std::vector<std::string>{folder_ + "ayuda/Razir/194.htm"});

    // No help at all for Tolmaa's index: still recorded, reported as not found.
    EXPECT_FALSE(HtmlAyuda(nullptr, folder_ + "Tolmaa.chm::/1.htm", 0, 0));
    EXPECT_EQ(LastHelpPage(), folder_ + "ayuda/tolmaa/index.htm");
}

TEST_F(Help, ConfiguredHelpFolderWins) {
    fs::create_directories(folder_ + "otra/Razir");
    std::ofstream(folder_ + "otra/Razir/194.htm") << "x";
    SetHelpFolder(folder_ + "otra");
    EXPECT_EQ(HelpPage("/donde/sea/Razir.chm::/194.htm"), folder_ + "otra/Razir/194.htm");
    SetHelpFolder("");
}
