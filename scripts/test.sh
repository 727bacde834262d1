#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)" -LE valgrind

# Hardening: the whole suite again under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer; the end-to-end and command tests under valgrind; each fuzz target (clang)
# for a fixed number of runs from a fixed seed, starting from the seeds alone.
cmake --preset asan
cmake --build build-asan -j"$(nproc)"
ctest --preset asan -j"$(nproc)"
ctest --test-dir build --output-on-failure -L valgrind
cmake --preset fuzz
cmake --build build-fuzz -j"$(nproc)"
for run in fuzz_preprocessor:12000 fuzz_parse:20000 fuzz_import:1500; do
  rm -rf "build-fuzz/corpus/${run%%:*}"
  fuzz/run.sh "${run%%:*}" -runs="${run##*:}" -seed=1
done

# The 32-bit Windows build: exports, imports, package, and its tests where wine runs.
bash scripts/test-windows.sh
