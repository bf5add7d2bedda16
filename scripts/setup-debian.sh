#!/usr/bin/env bash
# Installs what TqC needs to build, run and test on Debian 12. Safe to run again: it only
# calls apt-get when a package is missing. With "windows": also what runs the Windows programs
# under Wine for their tests; any other argument names one more package to install.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libwxgtk3.2-dev wx3.2-headers
  libgtest-dev googletest
  nlohmann-json3-dev
  clang libclang-rt-14-dev clang-format
  python3 time
  xvfb xauth openbox
  neovim emacs-nox elpa-eglot
)
for extra in "$@"; do
  if [ "$extra" = windows ]; then
    packages+=(wine wine64 xdotool imagemagick x11-utils dpkg-dev desktop-file-utils)
  else
    packages+=("$extra")
  fi
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
