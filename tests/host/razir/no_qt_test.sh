#!/usr/bin/env bash
# The command line runs without Qt: razir itself needs no Qt library (ldd), and neither
# `razir version` nor `razir report RTiendas --out x.pdf` loads one at run time, counting what
# they open with dlopen (the dynamic loader's own log). `razir gui` still loads the desktop
# module and Qt, which also shows the log is read right.
# Usage: no_qt_test.sh BIN_DIR
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FALLA: $*" >&2; exit 1; }

# Linked: nothing from Qt among razir's libraries. (Outputs are read whole before grep: with
# pipefail, grep -q leaving a pipe early would fail the writer.)
linked=$(ldd "$bin/razir")
if grep -i 'libQt' <<<"$linked"; then fail "razir enlaza Qt"; fi
linked=$(ldd "$bin/librazir_desktop.so")
grep -q 'libQt6Widgets' <<<"$linked" || fail "el módulo de escritorio no enlaza Qt"

# Loaded at run time, the report library included. LD_DEBUG=files names every object the
# loader opens, dlopen'ed ones too.
loaded() { LD_DEBUG=files LD_DEBUG_OUTPUT="$work/ld" "$@"; cat "$work"/ld.* ; rm -f "$work"/ld.*; }
"$bin/razir" demo "$work/demo" --stores 2 --registers 1 --days 1 --products 10 >/dev/null
export RAZIR_HOME="$work/demo"
log=$(loaded "$bin/razir" version)
grep -q 'file=.*librazir_text' <<<"$log" || fail "no se leyó el registro del cargador"
if grep -i 'file=.*libQt' <<<"$log"; then fail "razir version cargó Qt"; fi
log=$(loaded "$bin/razir" report RTiendas --out "$work/tiendas.pdf")
grep -q 'file=.*libReportes.so' <<<"$log" || fail "razir report no cargó libReportes.so"
if grep -i 'file=.*libQt' <<<"$log"; then fail "razir report cargó Qt"; fi
[ -s "$work/tiendas.pdf" ] || fail "razir report no escribió el PDF"

# With the library path at an empty folder: the program finds its own libraries beside it.
mkdir "$work/vacia"
version=$(LD_LIBRARY_PATH="$work/vacia" "$bin/razir" version)
grep -q '^razir ' <<<"$version" || fail "razir version"

# The desktop program still works, and loads Qt.
log=$(QT_QPA_PLATFORM=offscreen loaded "$bin/razir" gui --captura "$work/ventana.png")
grep -q 'file=.*libQt6Widgets' <<<"$log" || fail "razir gui no cargó Qt"
[ -s "$work/ventana.png" ] || fail "razir gui no escribió la imagen"
echo "razir version y razir report corren sin Qt; razir gui lo carga"
