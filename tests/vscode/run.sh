#!/usr/bin/env bash
# The grammar test: its two npm packages (installed into WORK once per package-lock.json), the
# desktop editor's styles of the examples and the quirks file, then the comparison.
# Usage: run.sh STYLE_DUMP_PROGRAM WORK_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
dump="$1" work="$2"
mkdir -p "$work"
if ! cmp -s "$here/package-lock.json" "$work/package-lock.json" || [ ! -d "$work/node_modules" ]; then
  cp "$here/package.json" "$here/package-lock.json" "$work/"
  (cd "$work" && npm ci --no-audit --no-fund --loglevel=error)
fi
node "$root/editors/vscode/tools/make-grammar.js" --check
"$dump" "$work/styles.json" "$root"/examples/*.tqc "$root"/examples/*.inc "$here/quirks.tqc"
NODE_PATH="$work/node_modules" node "$here/grammar.test.js" "$work/styles.json"
