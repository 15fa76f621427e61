#include "platform/2_shell/browser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

using namespace shell;

TEST(Browser, RecordOnlyNeverLaunches) {
    SetBrowserMode(BrowserMode::RecordOnly);
    ClearOpenedAddresses();
    EXPECT_FALSE(OpenAddress("/opt/razir/ayuda/Razir/194.htm"));
    EXPECT_FALSE(OpenAddress("https://example.invalid/"));
    EXPECT_EQ(OpenedAddresses(),
              (std::vector<std::string>{"/opt/razir/ayuda/Razir/194.htm", "https://example.invalid/"}));
    ClearOpenedAddresses();
    EXPECT_TRUE(OpenedAddresses().empty());
}

TEST(Browser, MissingOpenerDoesNotFailOrBlock) {
    // A display but no xdg-open anywhere on PATH: the address is recorded and nothing waits.
    SetBrowserMode(BrowserMode::Automatic);
    ClearOpenedAddresses();
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    setenv("PATH", "/nonexistent", 1);
    setenv("DISPLAY", ":99", 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(OpenAddress("/x/194.htm"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    setenv("PATH", saved.c_str(), 1);
    unsetenv("DISPLAY");
    EXPECT_EQ(OpenedAddresses(), (std::vector<std::string>{"/x/194.htm"}));
    EXPECT_EQ(FindOnPath("definitely-not-a-program-razir"), "");
    EXPECT_NE(FindOnPath("sh"), "");
    SetBrowserMode(BrowserMode::RecordOnly);
}
