#!/usr/bin/env bash
# Fails when a C++ file differs from the project's formatting (.clang-format); prints the files.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=()
while IFS= read -r f; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(git ls-files '*.cpp' '*.h')
if ((${#bad[@]})); then
  echo "Not formatted (clang-format -i): ${bad[*]}"
  exit 1
fi
