// The note formats shipped with the program (a 40-column ticket and an 80-column note), the
// control sequences of a common ticket printer and a sample sale to print with them.
// Not here: reading formats or printing (report.*).
#pragma once

#include "notes/format.h"
#include "notes/ntadatos.h"
#include "notes/puerto.h"

namespace notix {

TFormatoNota FormatoTicket40();
TFormatoNota FormatoNota80();

// ESC/POS: initialise, line feed, full cut, drawer kick on pin 2, a "** COPIA **" line.
TSecuencias SecuenciasEscPos();

// A sale of four items paid with cash and a card, with two taxes, marked as reprinted
// (TipoImpresion "R").
void LlenarNotaDemo(TNtaDatos& datos);

}  // namespace notix
