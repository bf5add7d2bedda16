#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test: the unit, device and GUI tests (the
# last under a virtual X server), the unit and device tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows build with its packages and its tests under Wine
# (TQC_WINDOWS=0 leaves that out), the Debian package, and bounded fuzzing runs of the compiler
# and the language server.
# Every build treats warnings as errors, and the GUI-free library is checked for GUI headers.
# Prints each stage's time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
jobs="$(nproc)"
export TQC_WERROR=ON
stage_start=$SECONDS
stage() {
  [ -n "${stage_name:-}" ] && echo "   ($((SECONDS - stage_start)) s: $stage_name)"
  stage_start=$SECONDS
  stage_name="$*"
  [ -n "$stage_name" ] && echo "== $stage_name"
  return 0
}

stage "Build and unit, device and GUI tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTQC_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
bash scripts/check-layers.sh build
bash scripts/check-format.sh
ctest --test-dir build --output-on-failure -j"$jobs" -LE windows

stage "Benchmarks: transfer time against the adapter's latency, the terminal's window at full rate"
# Numbers, not verdicts: a benchmark fails only when a transfer or the window itself does.
cmake -S . -B build -DTQC_BENCH=ON >/dev/null
cmake --build build -j"$jobs" --target tqc_bench_transfer tqc_bench_terminal
build/bench/tqc_bench_transfer
xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/tqc_bench_terminal

stage "Unit and device tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTQC_SANITIZE=ON -DTQC_GUI=OFF -DTQC_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -L 'unit|devices'

if [ "${TQC_WINDOWS:-1}" = 0 ]; then
  stage "The Windows serial backend compiles (syntax check with mingw-w64)"
  bash scripts/check-win32.sh
else
  stage "Windows build, zip, installer and Debian package"
  bash scripts/setup-debian.sh windows
  bash scripts/build-windows.sh
  stage "Windows programs under Wine against the simulated devices"
  cmake -S . -B build -DTQC_WINDOWS_BUILD="$(pwd)/build-win64" >/dev/null
  cmake --build build -j"$jobs" --target tqc_wine_tests
  ctest --test-dir build --output-on-failure -L windows
  stage "Debian package contents"
  bash scripts/check-deb.sh
fi

stage "Fuzzing the compiler (${TQC_FUZZ_SECONDS:-60} s) and the language server (${TQC_FUZZ_LSP_SECONDS:-30} s)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTQC_FUZZ=ON -DTQC_TESTS=OFF -DTQC_GUI=OFF -DTQC_WERROR=ON >/dev/null
cmake --build build-fuzz -j"$jobs" --target tqc_fuzz_compile tqc_fuzz_lsp
bash fuzz/run.sh build-fuzz "${TQC_FUZZ_SECONDS:-60}"
bash fuzz/run.sh build-fuzz "${TQC_FUZZ_LSP_SECONDS:-30}" lsp
stage
