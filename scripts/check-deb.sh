#!/usr/bin/env bash
# Checks the built Debian package: unpacked into a scratch root, every file a user relies on is
# there, the desktop entry is valid, and the installed tqc-cli runs and compiles an example.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls dist/tqc_*_amd64.deb | tail -n 1)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
passed=0 failed=0
check() {  # description, command...
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
for f in usr/bin/tqc usr/bin/tqc-cli usr/share/applications/tqc.desktop usr/share/mime/packages/tqc.xml \
  usr/share/icons/hicolor/48x48/apps/tqc.png usr/share/icons/hicolor/256x256/apps/tqc.png \
  usr/share/man/man1/tqc-cli.1.gz usr/share/doc/tqc/copyright usr/share/doc/tqc/examples/wohnzimmer.tqc; do
  check "$f in the package" test -s "$root/$f"
done
check "desktop entry valid" desktop-file-validate "$root/usr/share/applications/tqc.desktop"
check "desktop entry opens .tqc scripts" grep -q '^MimeType=text/x-tqc;' "$root/usr/share/applications/tqc.desktop"
check "MIME type names *.tqc" grep -q 'pattern="\*.tqc"' "$root/usr/share/mime/packages/tqc.xml"
version=$(dpkg-deb -f "$deb" Version)
check "tqc-cli --version says $version" sh -c "'$root/usr/bin/tqc-cli' --version | grep -qx 'tqc-cli $version'"
check "installed tqc-cli compiles the installed example" \
  "$root/usr/bin/tqc-cli" compile "$root/usr/share/doc/tqc/examples/wohnzimmer.tqc"
check "dependencies computed from the binaries" sh -c "dpkg-deb -f '$deb' Depends | grep -q libwxgtk3.2"
echo "$deb: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
