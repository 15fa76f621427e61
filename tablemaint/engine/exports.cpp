// The engine's plain exports: creation and destruction of the engine object and the "k"
// functions on which the class is built. None of them lets an exception out.
#include <cstring>
#include <new>

#include "platform/2_shell/atomic_file.h"
#include "tablemaint/engine/busy.h"
#include "tablemaint/engine/engine_internal.h"
#include "tablemaint/engine/index_names.h"
#include "tablemaint/engine/rebuild.h"
#include "tablemaint/engine/settings.h"
#include "tablemaint/engine/verify.h"
#include "tablemaint/engine/vlmctlarch.h"

using namespace tablemaint;

namespace {
std::string Str(const char* s) { return s ? s : ""; }
}  // namespace

extern "C" {

VlmCtlArch* CreaVlmCtlArch() { return new (std::nothrow) VlmCtlArch(); }

int DestruyeVlmCtlArch(VlmCtlArch* obj) {
    try {
        delete obj;
    } catch (...) {
    }
    return 1;
}

uint16_t CheckDbiError(uint16_t code, char*, unsigned long) { return code; }
uint16_t CheckTUError(uint16_t code, char*, unsigned long) { return code; }

bool RegistraCallBack(void* client, void* callback) { return client && callback; }
bool DesRegistraCallBack(void* client) { return client; }

int kVerificaTabla(char* tabla, char* tablaErrores, char*, uint16_t) {
    try {
        const std::string path = ResolvePath(RutaLocal(Str(tabla)));
        if (!FileExists(path)) return 6;
        if (ArchivoOcupado(path)) return -1;
        ResultadoVerificacion v = VerificaArchivo(path);
        if (v.ocupado) return -1;
        std::string err;
        if (!EscribeTablaErrores(RutaLocal(Str(tablaErrores)), path, v.errores, &err)) return -1;
        return NivelComoResultado(v.nivel);
    } catch (...) {
        return -1;
    }
}

int kRecuperaTabla(char* tabla, char* tablaErrores, char* respaldo, char* problemas, char* violaciones, char*,
                   uint16_t) {
    try {
        return RecuperaArchivo(RutaLocal(Str(tabla)), RutaLocal(Str(tablaErrores)), RutaLocal(Str(respaldo)),
                               RutaLocal(Str(problemas)), RutaLocal(Str(violaciones)), nullptr)
            .resultado;
    } catch (...) {
        return kRecuperacionFallida;
    }
}

bool kAbreBD(char* carpeta, TBaseDatos** out) {
    try {
        if (!out) return false;
        *out = nullptr;
        const std::string folder = RutaLocal(Str(carpeta));
        if (!FolderExists(folder)) return false;
        *out = new TBaseDatos{WithSlash(folder)};
        return true;
    } catch (...) {
        return false;
    }
}

bool kCierraBD(TBaseDatos* bd) {
    delete bd;
    return true;
}

bool kCreaTabla(TBaseDatos* bd, bool sobrescribir, const db::TableDef* descriptor) {
    try {
        if (!bd || !descriptor || descriptor->name.empty()) return false;
        const std::string path = ResolveIgnoringCase(bd->carpeta, RutaLocal(descriptor->name));
        if (FileExists(path) && !sobrescribir) return false;
        // Built under another name and renamed, so a failure leaves any old file as it was.
        shell::ArchivoAtomico nuevo(path);
        const std::string tmp = nuevo.Temporal().string();
        {
            std::string err;
            auto con = Connection::Open(tmp, true, &err);
            if (!con) return false;
            std::string sql = "BEGIN;";
            for (const auto& s : db::CreateTableSql(*descriptor)) sql += s + ";";
            if (!con->Exec(sql + "COMMIT", &err)) return false;
        }
        if (!ConfirmaReemplazo(nuevo, nullptr)) return false;
        // A journal of the old file would be played into the new one when it is next opened.
        std::remove((path + "-journal").c_str());
        return true;
    } catch (...) {
        return false;
    }
}

bool kRegeneraIdx(TBaseDatos*, TCursor* cursor, char*, char* indice) {
    try {
        return cursor && RegeneraIndice(*cursor, Str(indice), nullptr);
    } catch (...) {
        return false;
    }
}

bool kAddIdx(TBaseDatos*, TCursor* cursor, char*, char*, const IDXDesc* indice) {
    try {
        return cursor && indice && AgregaIndice(*cursor, indice->indice, nullptr);
    } catch (...) {
        return false;
    }
}

uint16_t kGetIdenIdx(char* tabla, char* carpeta, char* indice) {
    try {
        auto id = IdentificadorIndice(ResolveIgnoringCase(RutaLocal(Str(carpeta)), RutaLocal(Str(tabla))), Str(indice));
        return id ? uint16_t(*id) : 2;
    } catch (...) {
        return 2;
    }
}

bool kSetBDEInfo(char* nodo, char* entrada, char* valor) {
    try {
        return nodo && entrada && valor && EscribeValor(nodo, entrada, valor);
    } catch (...) {
        return false;
    }
}

bool kGetBDEInfo(char* nodo, char* entrada, char* out) {
    try {
        std::string v;
        if (!nodo || !entrada || !out || !LeeValor(nodo, entrada, v)) return false;
        CopiaTexto(out, 260, v);
        return true;
    } catch (...) {
        return false;
    }
}

bool kGetListaLD(ListaLD* lista) {
    try {
        return lista && ListaControladores(*lista);
    } catch (...) {
        return false;
    }
}

}  // extern "C"
