#include "platform/2_shell/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Lee(const fs::path& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta_ = fs::temp_directory_path() /
                   ("atomic_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(carpeta_);
        fs::create_directories(carpeta_);
    }
    void TearDown() override { fs::remove_all(carpeta_); }
    size_t Archivos() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(carpeta_), {}));
    }
    fs::path carpeta_;
};

TEST_F(AtomicFileTest, ReplacesTheWholeFileAndLeavesNoTemporary) {
    auto ruta = carpeta_ / "motor.ini";
    shell::EscribeArchivoAtomico(ruta, "viejo\n");
    shell::EscribeArchivoAtomico(ruta, "nuevo\n");
    EXPECT_EQ(Lee(ruta), "nuevo\n");
    EXPECT_EQ(Archivos(), 1u);
}

TEST_F(AtomicFileTest, AnUnconfirmedWriterLeavesTheOldFile) {
    auto ruta = carpeta_ / "Tabla.DB";
    shell::EscribeArchivoAtomico(ruta, "filas viejas");
    {
        shell::ArchivoAtomico archivo(ruta);
        std::ofstream(archivo.Temporal()) << "a medias";
    }
    EXPECT_EQ(Lee(ruta), "filas viejas");
    EXPECT_EQ(Archivos(), 1u);
}

// A full disk (here a file-size limit) must not cut the file that was there.
TEST_F(AtomicFileTest, AFullDiskKeepsTheOldFileAndSaysWhy) {
    auto ruta = carpeta_ / "Ticket40.nta";
    shell::EscribeArchivoAtomico(ruta, "formato completo");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit viejo{};
    getrlimit(RLIMIT_FSIZE, &viejo);
    rlimit limite = viejo;
    limite.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &limite);
    std::string mensaje;
    try {
        shell::EscribeArchivoAtomico(ruta, std::string(1000, 'x'));
    } catch (const std::runtime_error& e) {
        mensaje = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &viejo);
    EXPECT_NE(mensaje.find("No se pudo escribir"), std::string::npos) << mensaje;
    EXPECT_NE(mensaje.find("Ticket40.nta"), std::string::npos) << mensaje;
    EXPECT_EQ(Lee(ruta), "formato completo");
    EXPECT_EQ(Archivos(), 1u);
}

TEST_F(AtomicFileTest, AMissingFolderIsAnErrorNamingIt) {
    EXPECT_THROW(shell::EscribeArchivoAtomico(carpeta_ / "no" / "hay.ini", "x"),
                 std::runtime_error);
}

}  // namespace
