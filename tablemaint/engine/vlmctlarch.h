// The table maintenance engine: VlmCtlArch creates the application's tables and indexes from
// the data dictionary, regenerates indexes, verifies and rebuilds table files and reads and
// writes the engine's settings. Clients create it with CreaVlmCtlArch, copy the paths into
// szRutaBD, szRutaTablas, szRutaCampos, "NumeroT" into szIndiceDetalle and "Numero" into
// szCamposMaestro, call Inicializa and then any operation through the virtual functions,
// whose order is fixed. No operation throws; results are small codes (docs/table-maintenance.md).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/2_db/schema.h"
#include "tablemaint/engine/rebuild.h"
#include "tablemaint/engine/settings.h"

namespace tablemaint {

struct Diccionario;
class TablaDiccionario;  // one dictionary table open on its file
struct FuenteDatos;      // the link between the two dictionary tables
struct TBaseDatos;       // the data folder opened as a database
struct TCursor;          // one table file opened exclusively

// Copies `s` into a fixed text buffer of the engine's interface (szRutaBD and the like), cut
// to fit and always terminated; a null `out` is left alone.
void CopiaTexto(char* out, size_t size, const std::string& s);

// One field description: its position (from 1) and its definition.
struct FLDDesc {
    uint16_t iFldNum = 0;
    db::FieldDef campo;
};

// One index description: the definition, the maintained flag and the key fields by number.
struct IDXDesc {
    db::IndexDef indice;
    bool bMantenido = false;
    uint16_t iFldsInKey = 0;
    std::vector<uint16_t> aiKeyFld;
};

// What GetTCursorProps finds out about a table file.
struct CURProps {
    char szName[260] = {};
    char szTableType[32] = {};
    uint16_t iFields = 0;
    uint16_t iIndexes = 0;
    int64_t iRecords = 0;
};

using ListaLD = std::vector<ControladorIdioma>;

// Result codes of creation and index operations.
constexpr int kCreado = 0;
constexpr int kCampoNoSoportado = 1;  // CreaTbl: a field type the tables cannot hold
constexpr int kOcupadoIdx = 1;        // CreaIdx, RegeneraIdx: the file is used by another process
constexpr int kNoRegenerado = 2;      // RegeneraIdx
constexpr int kNoCreadoTbl = 3;       // table or index not created, or not in the dictionary
constexpr int kErrorDiccionario = 4;  // CreaTbl: the dictionary could not be read
constexpr int kSinNumeroTabla = 5;    // CreaTbl: no table of that number in the dictionary
constexpr int kOcupadoTbl = 10;       // CreaTbl: the existing file is used by another process

class VlmCtlArch {
public:
    VlmCtlArch();
    VlmCtlArch(const VlmCtlArch&) = delete;
    VlmCtlArch& operator=(const VlmCtlArch&) = delete;

    char szRutaBD[260];
    TablaDiccionario* tblTablas;
    TablaDiccionario* tblCampos;
    FuenteDatos* dsTablas;
    TBaseDatos* hBD;
    char szRutaTablas[260];
    char szRutaCampos[260];
    char szIndiceDetalle[20];
    char szCamposMaestro[20];
    CURProps curProps;
    uint16_t hTUSes;

    virtual bool GetTCursorProps(const char* tabla);
    virtual void Inicializa();
    virtual int CreaIdx(const char* tabla, const char* indice);
    virtual int CreaIdx(const char* tabla, int16_t identif);
    virtual int RegeneraIdx(const char* tabla, const char* indice);
    virtual int CreaTbl(const char* tabla, int numero);
    virtual int CreaTbl(const char* tabla);
    virtual int VerificaTbl(const char* tabla, const char* tablaErrores, const char* password);
    virtual int RecuperaTbl(const char* tabla, const char* tablaErrores, const char* respaldo,
                            const char* problemas, const char* violaciones, const char* password);
    virtual void GetNomReal(char* out, const char* tabla, const char* indice);
    virtual void ArmaNombreIndice(char* out, uint16_t id, const char* tabla);
    virtual int LLenaDescCampos(int numero, FLDDesc* campos, IDXDesc* indices);
    virtual int LLenaDescIdx(uint16_t identif, IDXDesc* indice);
    virtual void AsociaTabla(bool enlazar);
    virtual int GetNumCampo(const char* campo, int numero);
    virtual int CreaBD();
    virtual int DameNumCamposIdx(int numero, int16_t* nCampos, int16_t* nIndices);
    virtual int SetLocalShare(char* valor);
    virtual int SetNetDir(char* valor);
    virtual int SetLevel(char* valor);
    virtual int GetNetDir(char* out);
    virtual int GetLocalShare(char* out);
    virtual int GetLevel(char* out);
    virtual bool GetListaLD(ListaLD* lista);
    virtual int GetLangDriver(char* out);
    virtual int SetLangDriver(char* valor);
    // Added after the operations above, so their slots keep their places:
    // what the last RecuperaTbl did (rows kept, set aside, the backup).
    virtual ResumenRecuperacion UltimaRecuperacion() const;
    // Why the last operation failed, in Spanish; "" after a success.
    virtual const char* UltimoError() const;
    virtual ~VlmCtlArch();

private:
    bool Diccionario_(std::string* error);
    std::string RutaTabla(const char* tabla) const;
    int CreaIdxConDef(const std::string& path, const IDXDesc& idx);
    int Inesperado(int code);

    ResumenRecuperacion ultima_;
    std::string error_;
    bool inicializado_ = false;
};

}  // namespace tablemaint

extern "C" {
// Creates one engine object (nothing opened); nullptr when memory runs out.
tablemaint::VlmCtlArch* CreaVlmCtlArch();
// Destroys and frees it (nullptr accepted); always 1.
int DestruyeVlmCtlArch(tablemaint::VlmCtlArch* obj);

uint16_t CheckDbiError(uint16_t code, char* source, unsigned long line);
uint16_t CheckTUError(uint16_t code, char* source, unsigned long line);
// Progress callbacks: accepted and dropped (nothing in the engine reports progress yet).
bool RegistraCallBack(void* client, void* callback);
bool DesRegistraCallBack(void* client);
int kVerificaTabla(char* tabla, char* tablaErrores, char* password, uint16_t sesion);
int kRecuperaTabla(char* tabla, char* tablaErrores, char* respaldo, char* problemas, char* violaciones,
                   char* password, uint16_t sesion);
bool kAbreBD(char* carpeta, tablemaint::TBaseDatos** out);
bool kCierraBD(tablemaint::TBaseDatos* bd);
bool kCreaTabla(tablemaint::TBaseDatos* bd, bool sobrescribir, const db::TableDef* descriptor);
bool kRegeneraIdx(tablemaint::TBaseDatos* bd, tablemaint::TCursor* cursor, char* tabla, char* indice);
bool kAddIdx(tablemaint::TBaseDatos* bd, tablemaint::TCursor* cursor, char* tabla, char* driver,
             const tablemaint::IDXDesc* indice);
// Identifier of the index `indice` of `tabla` in `carpeta`; 2 when the table has no such index.
uint16_t kGetIdenIdx(char* tabla, char* carpeta, char* indice);
bool kSetBDEInfo(char* nodo, char* entrada, char* valor);
bool kGetBDEInfo(char* nodo, char* entrada, char* out);
bool kGetListaLD(tablemaint::ListaLD* lista);
}
