#!/usr/bin/env bash
# Compiles the Windows serial port backend with Debian's mingw-w64 cross compiler (syntax and
# types only, nothing is linked), so that it cannot rot on a machine without Windows. The files
# need only the Windows API and the serial/ headers. Installs the compiler when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++
command -v "$compiler" >/dev/null 2>&1 || bash scripts/setup-debian.sh g++-mingw-w64-x86-64

for file in serial/ComportWin32.cpp serial/PortListWin32.cpp serial/Win32LineRecord.cpp serial/Win32PortIds.cpp; do
  "$compiler" -std=c++17 -Wall -Wextra -Werror -fsyntax-only -I. "$file"
  echo "$file: OK ($compiler)"
done
