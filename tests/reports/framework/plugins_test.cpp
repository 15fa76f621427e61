// Outside libraries loaded by the name the system gives them, from a folder, and what a
// dialog gets when one is missing.
#include "reports/framework/plugins.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using reportes::TBiblioteca;

class Plugins : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("razir-plugins-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Install(const std::string& as) { fs::copy_file(RAZIR_TEST_PLUGIN, dir_ / as, fs::copy_options::overwrite_existing); }
    fs::path dir_;
};

using Funcion = int (*)(int, int);

TEST_F(Plugins, LoadedByTheSystemsNameUnderEachFileForm) {
    for (const char* archivo : {"ZODInter.dll", "zodinter.so", "libZODInter.so"}) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Install(archivo);
        TBiblioteca lib("ZODInter.dll", {dir_.string()});
        ASSERT_TRUE(lib.Cargada()) << archivo << ": " << lib.Error();
        auto f = lib.Funcion<Funcion>("CatClieZOD");
        ASSERT_NE(f, nullptr) << archivo;
        EXPECT_EQ(f(3, 4), 304) << archivo;
        EXPECT_EQ(lib.Funcion<Funcion>("NoExiste"), nullptr) << "a missing function is null, not a crash";
    }
}

TEST_F(Plugins, AMissingLibraryLeavesNothingToCall) {
    TBiblioteca lib("BCLW32.DLL", {dir_.string(), (dir_ / "otra").string()});
    EXPECT_FALSE(lib.Cargada());
    EXPECT_EQ(lib.Error(), "No se encontró la biblioteca \"BCLW32.DLL\"");
    EXPECT_EQ(lib.Funcion<Funcion>("CreateBarCodeIndirect"), nullptr);
}

TEST_F(Plugins, AFileThatIsNoLibrarySaysWhy) {
    std::FILE* f = std::fopen((dir_ / "BCLW32.DLL").c_str(), "w");
    std::fputs("no es una biblioteca", f);
    std::fclose(f);
    TBiblioteca lib("BCLW32.DLL", {dir_.string()});
    EXPECT_FALSE(lib.Cargada());
    EXPECT_NE(lib.Error().find("No se pudo cargar"), std::string::npos) << lib.Error();
}

TEST_F(Plugins, TheProcessWideLoadHappensOnce) {
    const auto& a = reportes::BibliotecaDelProceso("NoHayTal.dll");
    const auto& b = reportes::BibliotecaDelProceso("nohaytal.DLL");
    EXPECT_EQ(&a, &b);
    EXPECT_FALSE(a.Cargada());
}

}  // namespace
