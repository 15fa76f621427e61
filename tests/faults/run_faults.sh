#!/bin/sh
# The fault-injection suite, as a store's administrator would meet the faults:
#   1. `razir tables rebuild` and `razir tables create --reinicializar` killed with SIGKILL at
#      a random moment, RUNS times each; after every kill each table must open and hold its old
#      rows or the new ones, and no backup may be lost;
#   2. a full disk, a table held by another program, a read-only folder, a folder named with
#      spaces and accents (faults_test), and a ticket printer that stops reading, is unplugged
#      or reads slowly (faults_printer_test).
# Usage: tests/faults/run_faults.sh [RUNS] [BUILD_DIR]   (RUNS 200, BUILD_DIR build by default)
# Prints one line of figures per command: runs, faults injected, rows lost, tables that did
# not open. Exits non-zero when any row was lost or any check failed.
set -eu
RUNS=${1:-200}
BUILD=${2:-build}
cmake --build "$BUILD" -j2 --target razir fault_kill faults_test faults_printer_test
status=0
nice -n 19 "$BUILD/bin/fault_kill" "$BUILD/bin/razir" rebuild "$RUNS" || status=1
nice -n 19 "$BUILD/bin/fault_kill" "$BUILD/bin/razir" create "$RUNS" || status=1
nice -n 19 "$BUILD/bin/faults_test" --gtest_brief=1 || status=1
nice -n 19 "$BUILD/bin/faults_printer_test" --gtest_brief=1 || status=1
exit $status
