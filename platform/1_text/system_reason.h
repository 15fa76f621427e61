// The reason for a failed system call as the user reads it, in Spanish: a full disk, a folder
// without permission, a missing file. Not here: what failed (each caller names its file or
// device) or device-specific wording (the ports add theirs).
#pragma once

#include <string>

namespace text {

// "el disco está lleno o el archivo excede el tamaño permitido" for ENOSPC, EFBIG, EDQUOT...;
// the C library's own text for the rare ones.
std::string MotivoSistema(int error);

}  // namespace text
