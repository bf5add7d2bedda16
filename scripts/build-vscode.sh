#!/usr/bin/env bash
# Builds the VS Code extension into dist/tqc-VERSION.vsix: the grammar and language configuration
# from the command table, the npm packages from package-lock.json, packed with @vscode/vsce.
# Needs Node.js 20 and npm (Debian: apt-get install nodejs npm).
set -euo pipefail
cd "$(dirname "$0")/.."
ext=editors/vscode
node "$ext/tools/make-grammar.js"
(cd "$ext" && npm ci --no-audit --no-fund)
version="$(node -p "require('./$ext/package.json').version")"
mkdir -p dist
(cd "$ext" && npx --no-install vsce package --out "../../dist/tqc-$version.vsix")
echo "dist/tqc-$version.vsix"
