#!/usr/bin/env bash
# Builds dist/tqc_VERSION_amd64.deb: both programs, the desktop entry, the icon in the usual
# sizes, the .tqc MIME type, the man pages and the examples, with dependencies computed from the
# binaries. Checks it with lintian (errors fail the build). Installs what it needs with apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup-debian.sh dpkg-dev lintian desktop-file-utils

# Debian's hardening flags, as a package built by Debian's own tools would get them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DTQC_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-deb -j"$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-deb/CMakeCache.txt)

stage=build-deb/stage
rm -rf "$stage"
DESTDIR="$root/$stage" cmake --install build-deb >/dev/null
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$stage/usr/bin/tqc" "$stage/usr/bin/tqc-cli"
doc="$stage/usr/share/doc/tqc"
install -m 0644 packaging/debian/copyright "$doc/copyright"
gzip -9nc packaging/debian/changelog > "$doc/changelog.gz"
install -d "$stage/usr/share/man/man1"
for page in tqc tqc-cli; do gzip -9nc "packaging/debian/$page.1" > "$stage/usr/share/man/man1/$page.1.gz"; done
find "$stage" -type d -exec chmod 0755 {} +
find "$stage" -type f -exec chmod 0644 {} +
chmod 0755 "$stage/usr/bin/tqc" "$stage/usr/bin/tqc-cli"
desktop-file-validate "$stage/usr/share/applications/tqc.desktop"

# dpkg-shlibdeps reads the package names from a control file in ./debian.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/debian"
printf 'Source: tqc\n\nPackage: tqc\nArchitecture: any\n' > "$work/debian/control"
depends=$(cd "$work" && dpkg-shlibdeps -O "$root/$stage/usr/bin/tqc" "$root/$stage/usr/bin/tqc-cli" 2>/dev/null \
  | sed -n 's/^shlibs:Depends=//p')

install -d "$stage/DEBIAN"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/md5sums"
cat > "$stage/DEBIAN/control" <<CONTROL
Package: tqc
Version: $version
Architecture: $(dpkg --print-architecture)
Maintainer: TqC developers <tqc@example.org>
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Section: electronics
Priority: optional
Description: development environment for the TqC automation controller
 TqC edits scripts for the TqC home and building automation controller in a
 syntax-coloured editor, compiles them into the controller's program image and
 sends the image to the controller over a serial port, verifying every byte.
 It also offers a serial terminal and the configuration of button-panel
 modules. The user interface is German. tqc-cli does the same without a window.
CONTROL
mkdir -p dist
deb="dist/tqc_${version}_$(dpkg --print-architecture).deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
# Errors fail the build; warnings and notes are shown.
status=0
report=$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1) || status=$?
grep -v "running with root privileges" <<<"$report" || true
[ "$status" -eq 0 ] || { echo "lintian found errors in $deb" >&2; exit 1; }
