#include "platform/1_text/system_reason.h"

#include <cerrno>
#include <cstring>

namespace text {

std::string MotivoSistema(int error) {
    switch (error) {
        case ENOSPC:
        case EFBIG:
        case EDQUOT: return "el disco está lleno o el archivo excede el tamaño permitido";
        case EIO: return "no se pudo leer o escribir en el disco (puede estar lleno)";
        case EACCES:
        case EPERM:
        case EROFS: return "no hay permiso para escribir en la carpeta o el archivo";
        case ENOENT: return "no existe";
        case ENOTDIR: return "una parte de la ruta no es una carpeta";
        case EISDIR: return "es una carpeta";
        default: return std::strerror(error);
    }
}

}  // namespace text
