#!/usr/bin/env bash
# Runs one editor's session (nvim-session.lua or eglot-session.el) with the set-up the README shows,
# taken from the README itself so the two cannot drift apart, in a copy of the protocol example
# and with tqc-cli from the build on the PATH.   Usage: session.sh nvim|emacs <folder of tqc-cli>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
editor=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/.config XDG_DATA_HOME=$work/data \
       XDG_STATE_HOME=$work/state XDG_CACHE_HOME=$work/cache PATH="$2:$PATH"
case $editor in
  nvim)  config=.config/nvim/init.lua; needs="neovim" ;;
  emacs) config=.emacs.d/init.el; needs="emacs-nox elpa-eglot" ;;
esac
command -v "$editor" >/dev/null || { echo "$editor fehlt: apt-get install $needs"; exit 1; }

# The README's indented block after the line that names the file, up to the first blank line.
mkdir -p "$(dirname "$HOME/$config")" "$work/scripts"
awk -v name="~/$config" 'index($0, name) { on = 1; next }
     on && /^      / { print substr($0, 7); got = 1; next }
     on && got && /^$/ { exit }' "$root/README.md" > "$HOME/$config"
[ -s "$HOME/$config" ] || { echo "README: kein Block nach ~/$config"; exit 1; }
cp "$root"/examples/protokoll.* "$work/scripts/"
cd "$work/scripts"
case $editor in
  nvim)  timeout 50 nvim --headless -c "luafile $here/nvim-session.lua" ;;
  # Batch Emacs neither activates installed packages nor reads init.el: both done as at start-up.
  emacs) timeout 50 emacs --batch --eval '(package-activate-all)' -l "$HOME/$config" -l "$here/eglot-session.el" ;;
esac
