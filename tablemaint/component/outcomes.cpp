// The dialog's fixed texts for each outcome, exactly as users have always read them.
#include "tablemaint/component/outcomes.h"

#include <algorithm>

#include "tablemaint/engine/verify.h"
#include "tablemaint/engine/vlmctlarch.h"

namespace tablemaint {
namespace {

constexpr const char* kBuenEstado = " : El proceso de verificación fue exitoso, la tabla está en buen estado";
constexpr const char* kSinErrores = "Verificación Exitosa.  Tabla sin errores.";
constexpr const char* kOcupado = "El archivo está ocupado por otro usuario";

bool Has(const std::vector<int>& codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

Resultado TextoVerificacion(int r, const std::vector<int>& codigos, const std::string& tabla,
                            const std::vector<std::string>& propias) {
    Resultado out;
    // Damage comes first: creating or regenerating indexes cannot mend a damaged file.
    const bool danado = std::any_of(codigos.begin(), codigos.end(), CodigoDeDano);
    if (r == -1) {
        out.estado = "Verificación sin exito.";
        out.memo = {"La verificación de " + tabla +
                    " No se pudo realizar, Compruebe que el archivo no está siendo utilizado por otra "
                    "aplicación, o que el directorio no este controlado por otro archivo de red (.NET)"};
        return out;
    }
    if (r == 0 && codigos.empty()) {
        out.memo = propias;
        out.estado = propias.empty() ? kSinErrores : "Verificación Completada. cheque la pestaña de resultado.";
        out.memo.push_back(tabla + kBuenEstado);
    } else if (r == 0) {
        // Every record counts: a finding followed by a harmless note is still a finding.
        const bool harmless = std::all_of(codigos.begin(), codigos.end(),
                                          [](int c) { return c == 87 || c == 88 || c == 92; });
        if (harmless) {
            out.estado = kSinErrores;
            out.memo = {tabla + kBuenEstado};
        } else {
            out.estado = "verificación Completada. Revise los índices";
            out.memo = {tabla + " : Debe revisar",
                        "Que los índices existen físicamente, si existen regenerelos, si no debe crearlos, si "
                        "el problema persiste pongase en contacto con su distribuidor"};
            out.problemas = true;
        }
    } else if (r == 1 && !danado && Has(codigos, 15)) {
        out.estado = "Verificación completada.  Índices inexistentes";
        out.memo = {tabla + " : Contiene índices", "Que no existen físicamente, debes crearlos y volver hacer el proceso de verificación"};
    } else if (r == 1 && !danado && Has(codigos, 97)) {
        out.estado = "Verificación Completada. Índices fuera de tiempo.";
        out.memo = {tabla + " : Contiene Índices", "Que estan fuera de tiempo, debe regenerar éstos índices"};
    } else if (r == 1) {
        out.estado = "Verificación Completada. La tabla contiene errores.";
        out.memo = {tabla + " : Contiene errores",
                    "Debe de realizar el proceeso de recuperación para intentar corregir los errores"};
    } else if (r == 2) {
        out.estado = "Verificación Incompleta.";
        out.memo = {"La verificación de " + tabla + " No se pudo completar, Intente realizar la recuperación"};
    } else {
        out.estado = "Verificación Completada. Tabla con errores irrecuperables";
        out.memo = {tabla + " : Contiene errores irrecuperables", "Debe de reinstalar su respaldo"};
    }
    if (r >= 1) out.problemas = true;
    return out;
}

Resultado TextoVerificacionInesperada(const std::string& tabla) {
    return {"Error Inesperado",
            {"La verificación de " + tabla +
             " No se pudo realizar, hubo un error inesperado y es posible que la máquina quede inestable se "
             "recomienda reiniciar la máquina."},
            false};
}

Resultado TextoRecuperacion(int r, const std::string& tabla, const ResumenRecuperacion& s,
                            const std::string& problemas, const std::string& violaciones) {
    if (r == kRecuperada) return {"La recuperación fue exitosa", {}, false};
    if (r == kRecuperadaConApartados) {
        // Rows set aside are not a success to report silently: say how many and where.
        Resultado out{"La recuperación terminó con registros apartados", {}, false};
        out.memo.push_back(tabla + " : Se recuperaron " + std::to_string(s.filasGuardadas) + " registros");
        if (s.problemas)
            out.memo.push_back(std::to_string(s.problemas) + " datos ilegibles quedaron en " +
                               (s.tablaProblemas.empty() ? problemas : s.tablaProblemas));
        if (s.violaciones)
            out.memo.push_back(std::to_string(s.violaciones) + " registros con llave repetida quedaron en " +
                               (s.tablaViolaciones.empty() ? violaciones : s.tablaViolaciones));
        out.memo.push_back("El archivo original se respaldó en " + s.respaldo);
        return out;
    }
    return {"Recuperación sin exito, Debe ser recuperada manualmente",
            {tabla + " : No se pudo recuperar", "Debe de reinstalar su respaldo"},
            false};
}

Resultado TextoRecuperacionInesperada(const std::string& tabla) {
    return {"Error Inesperado",
            {"La recuperación de " + tabla +
             " No se pudo realizar, hubo un error inesperado y es posible que la máquina quede inestable, se "
             "recomienda reiniciar la máquina."},
            false};
}

Resultado TextoRegeneracion(int r, const std::string& indice, const std::string& archivo) {
    if (r == 0)
        return {"La Regeneración fue exitosa",
                {"La regeneración del Índice " + indice, "del archivo " + archivo + " fue exitoso"},
                false};
    if (r == kOcupadoIdx)
        return {"No se pudo realizar la regeneración",
                {"No se pudo regenerar el Índice " + indice, "Error al abrir " + archivo, kOcupado},
                false};
    return {"regeneración Incorrecta", {"No se pudo regenerar el Índice " + indice, "del archivo " + archivo}, false};
}

Resultado TextoCreacionTabla(int r, const std::string& archivo, const std::string& detalle) {
    if (r == 0) return {"La creación fue exitosa", {"La creación de " + archivo, "fue exitosa"}, false};
    Resultado out{"No se pudo hacer la creación", {}, false};
    if (r == kOcupadoTbl) {
        out.memo = {"Error al abrir " + archivo, kOcupado};
    } else if (r == kCampoNoSoportado) {
        out.memo = {"No se pudo crear " + archivo, "En la definición de la tabla existe un Tipo de campo desconocido"};
    } else {
        out.memo = {"No se pudo crear " + archivo};
        if (r == kErrorDiccionario) out.memo.push_back("Error en la lectura de las tablas de definición de datos");
        if (r == kSinNumeroTabla) out.memo.push_back("No se pudo encontrar el número de tabla");
    }
    if (!detalle.empty() && r != kOcupadoTbl) out.memo.push_back(detalle);
    return out;
}

Resultado TextoCreacionIndice(int r, const std::string& indice, const std::string& archivo) {
    if (r == 0)
        return {"La creación fue exitosa",
                {"La creación del Índice " + indice, "del archivo " + archivo, "fue exitosa"},
                false};
    if (r == kOcupadoIdx) return {"No se pudo hacer la creación", {"Error al abrir " + archivo, kOcupado}, false};
    return {"No se pudo hacer la creación",
            {"No se pudo crear el Índice " + indice, "del archivo " + archivo,
             "Algunos datos definidos en el Diccionario de datos son incorrectos"},
            false};
}

}  // namespace tablemaint
