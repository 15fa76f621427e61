#!/bin/sh
# Builds every fuzz target with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# in build-fuzz/ (or the folder given). The sanitizer flags are the whole build's, so every
# library a target links is instrumented as the target is. See fuzz/README.md.
set -eu
BUILD=${1:-build-fuzz}
FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S "$(dirname "$0")/.." -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DRAZIR_FUZZ=ON -DRAZIR_TESTS=OFF -DRAZIR_BENCH=OFF
nice -n 19 cmake --build "$BUILD" -j2 --target fuzz_all
