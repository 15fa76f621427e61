// A data folder with a small dictionary for the component's tests: VENTAS (created, with rows),
// TIENDAS (not created), a group of per-day files, and two records that give no node.
#pragma once

#include <fstream>

#include "tests/tablemaint/engine/engine_fixture.h"

namespace tablemaint::testing {

struct DataFolder {
    TempDir dir;
    TempDir tmp;  // the dialog's temporary folder
    std::string tablas, campos;
    DataFolder() {
        setenv("TMPDIR", tmp.path.c_str(), 1);
        setenv("RAZIR_MOTOR", (tmp.path + "motor.ini").c_str(), 1);
        DicBuilder b;
        b.Tabla(1, "VENTAS").Campo(1, "Caja", 1, 2).Campo(1, "Nota", 1, 20).Campo(1, "Fecha", 11)
            .Campo(1, "Texto", 1, 200).Indice(1, "PRIMARIO", "Caja;Nota", true).Indice(1, "XFECHA", "Fecha");
        b.Tabla(2, "TIENDAS").Campo(2, "Tienda", 1, 2).Indice(2, "PRIMARIO", "Tienda", true);
        b.Tabla(3, "V", "ttParadox", "S").Campo(3, "Nota", 1, 20).Indice(3, "PRIMARIO", "Nota", true);
        b.Tabla(4, "").Campo(4, "A", 1, 2);
        b.Tabla(5, "RARA", "ttParadox", "X").Campo(5, "A", 1, 2);
        b.d.tablas[0].Descrip = "Ventas";
        b.d.tablas[1].Descrip = "Tiendas";
        b.d.tablas[2].Descrip = "Notas por día";
        auto e = OpenEngine(dir.path, b.d);
        tablas = dir.path + "VlmTablas.DB";
        campos = dir.path + "VlmCampos.DB";
        EXPECT_EQ(e->CreaTbl("VENTAS"), 0);
        EXPECT_EQ(Sql(dir.path + "VENTAS.db",
                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                      "INSERT INTO VENTAS SELECT '01', printf('%06d', i), datetime('2002-05-29', '+' || i || ' minutes'), "
                      "hex(randomblob(80)) FROM n"),
                  SQLITE_OK);
    }
    ~DataFolder() {
        unsetenv("TMPDIR");
        unsetenv("RAZIR_MOTOR");
    }
    void Overwrite(uint32_t page) const {
        std::fstream f(dir.path + "VENTAS.db", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(std::streamoff(page - 1) * 4096);
        std::string junk(4096, '\xAA');
        f.write(junk.data(), junk.size());
    }
};

}  // namespace tablemaint::testing
