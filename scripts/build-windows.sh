#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 against wxWidgets cross-built from Debian's source
# (once, cached outside the clone), and packages them: dist/TqC-VERSION-win64.zip and
# dist/TqC-VERSION-setup.exe (NSIS). Then builds the Debian package dist/tqc_VERSION_amd64.deb.
# Installs what it needs with apt-get. Prints each stage's time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

stage_start=$SECONDS
stage() {
  echo "   ($((SECONDS - stage_start)) s)"
  stage_start=$SECONDS
  echo "== $*"
}

bash scripts/setup-debian.sh nsis

echo "== wxWidgets for Windows"
prefix=$(bash scripts/build-wx-mingw.sh | tail -n 1)
echo "   $prefix"

stage "tqc.exe and tqc-cli.exe"
cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DwxWidgets_CONFIG_EXECUTABLE="$prefix/bin/wx-config" -DTQC_WERROR="${TQC_WERROR:-OFF}" >/dev/null
cmake --build build-win64 -j"$(nproc)"
x86_64-w64-mingw32-strip build-win64/tqc.exe build-win64/tqc-cli.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win64/CMakeCache.txt)

stage "Zip and installer"
mkdir -p dist
# One line per shipped example, for the installer and the uninstaller alike.
{
  echo '!macro ExampleFiles'
  for f in examples/*; do echo "  File \"\${SOURCE}\\examples\\$(basename "$f")\""; done
  echo '!macroend'
  echo '!macro DeleteExamples'
  for f in examples/*; do echo "  Delete \"\$INSTDIR\\Beispiele\\$(basename "$f")\""; done
  echo '!macroend'
} > build-win64/examples.nsh
python3 - "$version" <<'PY'
import os, sys, zipfile
version = sys.argv[1]
readme = open("packaging/windows/README.txt", encoding="utf-8").read().replace("\n", "\r\n")
# Fixed times and order, so the same build gives the same zip.
def add(z, name, data):
    info = zipfile.ZipInfo(name, date_time=(2025, 10, 6, 0, 0, 0))
    info.compress_type = zipfile.ZIP_DEFLATED
    info.external_attr = 0o644 << 16
    z.writestr(info, data)
with zipfile.ZipFile("dist/TqC-%s-win64.zip" % version, "w") as z:
    for exe in ("tqc.exe", "tqc-cli.exe"):
        add(z, "TqC/" + exe, open("build-win64/" + exe, "rb").read())
    add(z, "TqC/README.txt", ("\ufeff" + readme).encode("utf-8"))
    for name in sorted(os.listdir("examples")):
        add(z, "TqC/Beispiele/" + name, open("examples/" + name, "rb").read())
PY
makensis -V2 -DVERSION="$version" -DBUILD="$root/build-win64" -DSOURCE="$root" \
  -DOUTFILE="$root/dist/TqC-$version-setup.exe" packaging/windows/tqc.nsi

stage "Debian package"
bash scripts/build-deb.sh

stage "Done"
ls -l dist/
