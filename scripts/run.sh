#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds TqC and starts it on a shipped example (a display is
# needed; under ssh use xvfb-run). The command-line compiler is build/tqc-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
build/tqc examples/wohnzimmer.tqc
