#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds TqC and compiles a shipped example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
build/tqc-cli compile examples/wohnzimmer.tqc --listing
