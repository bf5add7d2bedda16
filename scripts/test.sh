#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test: the unit, device and GUI tests (the
# last under a virtual X server), the unit and device tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded fuzzing run of the compiler.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
jobs="$(nproc)"

echo "== Build and unit tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Unit and device tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTQC_SANITIZE=ON -DTQC_GUI=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -L 'unit|devices'

echo "== The Windows serial backend compiles (syntax check with mingw-w64)"
bash scripts/check-win32.sh

echo "== Fuzzing the compiler (${TQC_FUZZ_SECONDS:-60} s)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTQC_FUZZ=ON -DTQC_TESTS=OFF -DTQC_GUI=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target tqc_fuzz_compile
bash fuzz/run.sh build-fuzz "${TQC_FUZZ_SECONDS:-60}"
