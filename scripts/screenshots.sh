#!/usr/bin/env bash
# Takes the README's screenshots on an 800 x 600 virtual screen with a window manager: the main
# window with an example, the error window after a faulty compile, the find bar, errors marked
# while typing, the print preview, the dark scheme and a finished transfer to a simulated
# controller; with a Windows build (scripts/build-windows.sh) also the Windows program under
# Wine at 150 % and 200 %.
# Needs a build in build/ (scripts/run.sh).
#
#   scripts/screenshots.sh [OUT_DIR]      (default: docs)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh imagemagick x11-utils xdotool
[ -x build/tqc ] || { echo "build/tqc missing: run scripts/run.sh first" >&2; exit 2; }

out=${1:-docs}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"; kill $(jobs -p) 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT

# A settings file with the standard colours and the whole screen as the window's place, so the
# pictures show what a user with a small screen sees.
settings() {
  printf '%s\r\n' "TqC Konfig Datei :-)" "Main_Window_Size:10800,10600" "Main_Window_Pos:10000,10000" \
    "Main_Window_Color_Commands:000,000,180" "Main_Window_Color_Text:230,000,000" \
    "Main_Window_Color_Variablen:000,128,255" "Main_Window_Color_Preprozessor:000,160,000" \
    "Main_Window_Color_Kommentare:130,130,130" "Main_Window_Color_Rest:000,000,000" \
    "Main_Settings_Filter:" "Main_Settings_Filter_EA:0" "EOF" > "$1/TqC_Konfig.ini"
}
mkdir -p "$work/linux"
cp build/tqc "$work/linux/"
settings "$work/linux"

display=:97
Xvfb $display -screen 0 800x600x24 >/dev/null 2>&1 &
sleep 1
DISPLAY=$display openbox --sm-disable >/dev/null 2>&1 &
sleep 1

steps() {  # xdotool steps separated by ";" (xdotool's "type" takes the rest of a call as text)
  local list step
  IFS=';' read -ra list <<< "$1"
  for step in "${list[@]}"; do DISPLAY=$display xdotool $step; done
}
shot() {  # script, picture, xdotool steps before the picture (optional), extra program arguments
  DISPLAY=$display "$work/linux/tqc" "$1" ${4:-} >/dev/null 2>&1 &
  local pid=$!
  # Until the window is there, then time to paint it (a first start on a busy machine is slow).
  DISPLAY=$display timeout 30 xdotool search --sync --pid $pid --name "$(basename "$1")" >/dev/null 2>&1 || true
  sleep 3
  if [ -n "${3:-}" ]; then
    DISPLAY=$display xdotool search --sync --pid $pid --name "$(basename "$1")" windowactivate --sync 2>/dev/null || true
    steps "$3"
    sleep 1
  fi
  DISPLAY=$display import -window root "$2"
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
}
printf '%s\n' "defvar licht = 0" "push 1" "  if licht == 0" "    on 1024" "  endif" "" "Setvar licht , 1" \
  "jump ende" > "$work/fehler.tqc"

shot examples/wohnzimmer.tqc "$out/main-window.png"
shot "$work/fehler.tqc" "$out/error-window.png"
shot examples/wohnzimmer.tqc "$out/find-bar.png" "key ctrl+h; type --delay 60 licht"
# A wrong value typed into the empty line 3, then a command and a blank: the line is marked and
# the syntax shows. The click puts the keyboard focus into the editor.
shot examples/wohnzimmer.tqc "$out/typing-marks.png" "mousemove 300 129 click 1; type --delay 60 on; key space;\
type --delay 60 5000; key Return; type --delay 60 setvar; key space; sleep 1"
# The print preview, opened through the File menu's Alt letters.
shot examples/wohnzimmer.tqc "$out/print-preview.png" "mousemove 300 129 click 1; key alt+f; key v; sleep 2"
# The dark scheme, as View > "Dunkles Farbschema" leaves it in TqC_Editor.ini.
printf '%s\r\n' "TqC Editor :-)" "Colour_Scheme:dunkel" > "$work/linux/TqC_Editor.ini"
shot examples/wohnzimmer.tqc "$out/dark-scheme.png"
rm -f "$work/linux/TqC_Editor.ini"

# A transfer to the simulated controller: Program (F5), then the dialog's Program button
# (Return); the dialog closes after the read-back and the status bar tells the outcome.
build/tqc-cli simulate > "$work/sim.txt" 2>&1 &
sim=$!
sleep 1
pty=$(grep -o '/dev/pts/[0-9]*' "$work/sim.txt")
shot examples/wohnzimmer.tqc "$out/transfer.png" "key F5; sleep 2; key Return; sleep 6" "--port $pty"
kill $sim 2>/dev/null || true

# The Windows program under Wine, at 150 % and 200 % (the LogPixels of Windows' display
# settings).
if [ -x build-win64/tqc.exe ] && command -v wine >/dev/null; then
  export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  DISPLAY=$display wineboot -i >/dev/null 2>&1
  mkdir -p "$work/win"
  cp build-win64/tqc.exe "$work/win/"
  cp "$work/fehler.tqc" "$work/win/fehler.tqc"
  build/tqc-cli simulate > "$work/sim.txt" 2>&1 &
  sim=$!
  sleep 1
  pty=$(grep -o '/dev/pts/[0-9]*' "$work/sim.txt")
  DISPLAY=$display wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$pty" /f >/dev/null 2>&1
  ln -sf "$pty" "$WINEPREFIX/dosdevices/com5"
  # 150 %: a finished transfer and the find bar; 200 %: a script with errors.
  for shot in "144:150:wohnzimmer.tqc:key F5; sleep 2; key Return; sleep 8; key ctrl+h; type --delay 60 licht" \
              "192:200:fehler.tqc:sleep 1"; do
    IFS=: read -r dpi percent script keys <<< "$shot"
    settings "$work/win"
    cp examples/wohnzimmer.tqc "$work/win/"
    DISPLAY=$display wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    DISPLAY=$display wineserver -k 2>/dev/null || true
    (cd "$work/win" && DISPLAY=$display wine tqc.exe "$script" --port COM5 >/dev/null 2>&1 &)
    sleep 8
    DISPLAY=$display xdotool search --sync --name "$script" windowactivate --sync 2>/dev/null || true
    steps "$keys"
    sleep 1
    DISPLAY=$display import -window root "$out/windows-$percent.png"
    DISPLAY=$display wineserver -k 2>/dev/null || true
  done
  kill $sim 2>/dev/null || true
fi
echo "written: $(ls "$out"/*.png | tr '\n' ' ')"
