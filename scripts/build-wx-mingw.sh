#!/usr/bin/env bash
# Builds wxWidgets 3.2 for x86_64-w64-mingw32 from Debian's own source package, static, once, into
# a cache folder outside the clone. Reused while the version and the options below are unchanged.
# Prints the install prefix on its last line.
set -euo pipefail

cache_root="${TQC_WX_CACHE:-/var/cache/tqc-wx-mingw}"
host=x86_64-w64-mingw32
# Debian's source drops the bundled image, zlib, expat and regex libraries; BMP and the
# styled text control need none of them.
options=(--host=$host --disable-shared --enable-unicode --enable-stc --disable-webview
  --disable-mediactrl --without-libpng --without-libjpeg --without-libtiff --without-zlib
  --without-expat --without-regex --without-liblzma --without-opengl --disable-svg
  --disable-xrc --disable-html --disable-richtext --disable-aui --disable-ribbon --disable-propgrid
  --disable-webrequest)

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
bash "$(dirname "$0")/setup-debian.sh" g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev make >&2

# apt-get source needs a deb-src entry for the suites the machine already uses.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "Adding deb-src for bookworm" >&2
  $SUDO tee /etc/apt/sources.list.d/tqc-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  $SUDO apt-get update -qq
fi

version=$(apt-cache showsrc wxwidgets3.2 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1)
[ -n "$version" ] || { echo "wxwidgets3.2 source package not found" >&2; exit 1; }
key=$(printf '%s %s %s' "$version" "${options[*]}" "$($host-g++-posix -dumpversion)" | sha1sum | cut -c1-12)
prefix="$cache_root/$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

echo "Building wxWidgets $version for $host into $prefix (once; about 15 minutes at -j2)" >&2
work=$(mktemp -d "${TMPDIR:-/tmp}/tqc-wx.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq --download-only "wxwidgets3.2=$version" >/dev/null 2>&1 \
  && dpkg-source -x --no-check ./*.dsc src >/dev/null)
mkdir -p "$work/build"
cd "$work/build"
CC=$host-gcc-posix CXX=$host-g++-posix ../src/configure "${options[@]}" --prefix="$prefix" >configure.log 2>&1 \
  || { tail -n 30 configure.log >&2; exit 1; }
make -j"$(nproc)" >make.log 2>&1 || { tail -n 40 make.log >&2; exit 1; }
rm -rf "$prefix"
make install >install.log 2>&1 || { tail -n 20 install.log >&2; exit 1; }
touch "$prefix/.complete"
echo "$prefix"
