// Temporary file beside the destination, fsync, rename, fsync of the folder: the order that
// keeps the old contents until the new ones are on disk whole.
#include "platform/2_shell/atomic_file.h"
#include "platform/1_text/gcc12_restrict.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/1_text/system_reason.h"

namespace shell {

namespace {

std::runtime_error Falla(const std::string& que, const std::filesystem::path& ruta, int error) {
    return std::runtime_error(que + " \"" + ruta.string() + "\": " + text::MotivoSistema(error));
}

// A name no other writer of the same destination picks: the process id and a counter.
GCC12_FALSE_RESTRICT_BEGIN
std::filesystem::path NombreTemporal(const std::filesystem::path& destino) {
    static unsigned contador = 0;
    auto nombre = "." + destino.filename().string() + "." + std::to_string(::getpid()) + "." +
                  std::to_string(++contador) + ".tmp";
    return destino.parent_path() / nombre;
}
GCC12_FALSE_RESTRICT_END

void Sincroniza(const std::filesystem::path& ruta, int flags) {
    int fd = ::open(ruta.c_str(), flags | O_CLOEXEC);
    if (fd < 0) throw Falla("No se pudo abrir", ruta, errno);
    int r = ::fsync(fd);
    int error = errno;
    ::close(fd);
    // A folder on a file system that cannot sync folders says EINVAL: nothing more to do there.
    if (r != 0 && !(error == EINVAL && (flags & O_DIRECTORY)))
        throw Falla("No se pudo escribir en disco", ruta, error);
}

std::filesystem::path Carpeta(const std::filesystem::path& ruta) {
    auto carpeta = ruta.parent_path();
    return carpeta.empty() ? std::filesystem::path(".") : carpeta;
}

}  // namespace

ArchivoAtomico::ArchivoAtomico(std::filesystem::path destino)
    : destino_(std::move(destino)), temporal_(NombreTemporal(destino_)) {}

ArchivoAtomico::~ArchivoAtomico() {
    if (!confirmado_) {
        std::error_code ignorado;
        std::filesystem::remove(temporal_, ignorado);
    }
}

void ArchivoAtomico::Confirma() {
    Sincroniza(temporal_, O_RDONLY);
    if (::rename(temporal_.c_str(), destino_.c_str()) != 0)
        throw Falla("No se pudo reemplazar", destino_, errno);
    confirmado_ = true;
    Sincroniza(Carpeta(destino_), O_RDONLY | O_DIRECTORY);
}

void EscribeArchivoAtomico(const std::filesystem::path& destino, std::string_view contenido) {
    ArchivoAtomico archivo(destino);
    int fd = ::open(archivo.Temporal().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw Falla("No se pudo crear", archivo.Temporal(), errno);
    const char* p = contenido.data();
    size_t resta = contenido.size();
    while (resta > 0) {
        ssize_t n = ::write(fd, p, resta);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            // ENOSPC and EFBIG land here: the old file is still whole.
            throw Falla("No se pudo escribir", destino, error);
        }
        p += n;
        resta -= static_cast<size_t>(n);
    }
    if (::close(fd) != 0) throw Falla("No se pudo escribir", destino, errno);
    archivo.Confirma();
}

void SincronizaRuta(const std::filesystem::path& ruta) {
    Sincroniza(ruta, std::filesystem::is_directory(ruta) ? O_RDONLY | O_DIRECTORY : O_RDONLY);
}

}  // namespace shell
