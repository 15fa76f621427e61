// Replaces a file whole or not at all: the new contents go to a temporary file in the same
// folder, are synced, and only then renamed over the old name (and the folder synced), so a
// crash, a kill or a full disk leaves either the old file or the new one, never a half.
// Not here: what the file holds (each writer formats its own bytes), backups of old versions.
#pragma once

#include <filesystem>
#include <string_view>

namespace shell {

// For writers that produce the file themselves (SQLite, a stream writer, a copy): they write
// to Temporal(), then Confirma() syncs it and renames it into place. Without Confirma() the
// temporary file is removed and the destination is untouched.
class ArchivoAtomico {
public:
    explicit ArchivoAtomico(std::filesystem::path destino);
    ~ArchivoAtomico();
    ArchivoAtomico(const ArchivoAtomico&) = delete;
    ArchivoAtomico& operator=(const ArchivoAtomico&) = delete;

    const std::filesystem::path& Destino() const { return destino_; }
    const std::filesystem::path& Temporal() const { return temporal_; }

    // Syncs the temporary file, renames it over the destination and syncs the folder.
    // Throws std::runtime_error naming the file (in Spanish) when any step fails; the
    // destination then keeps its old contents.
    void Confirma();

private:
    std::filesystem::path destino_;
    std::filesystem::path temporal_;
    bool confirmado_ = false;
};

// Writes `contenido` as the whole new contents of `destino` through an ArchivoAtomico.
void EscribeArchivoAtomico(const std::filesystem::path& destino, std::string_view contenido);

// Syncs a file or folder that is already written (for a rename a caller made itself).
void SincronizaRuta(const std::filesystem::path& ruta);

}  // namespace shell
