#!/usr/bin/env bash
# Takes the README's screenshots under a virtual X server: the main window with an example,
# the error window after a faulty compile, the find bar, errors marked while typing, the dark
# scheme and the print preview. Needs a build in build/ (scripts/run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
for p in xvfb imagemagick x11-utils xdotool; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p" >/dev/null; }
done
[ -x build/tqc ] || { echo "build/tqc missing: run scripts/run.sh first" >&2; exit 2; }

out=docs
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"; kill $(jobs -p) 2>/dev/null || true' EXIT

# A settings file with the standard colours, so the pictures show what a user sees.
cp build/TqC_Konfig.ini "$work/saved.ini" 2>/dev/null || true
cp build/TqC_Editor.ini "$work/saved-editor.ini" 2>/dev/null || true
rm -f build/TqC_Editor.ini
printf '%s\r\n' "TqC Konfig Datei :-)" "Main_Window_Size:11100,10660" "Main_Window_Pos:10020,10020" \
  "Main_Window_Color_Commands:000,000,180" "Main_Window_Color_Text:230,000,000" \
  "Main_Window_Color_Variablen:000,128,255" "Main_Window_Color_Preprozessor:000,160,000" \
  "Main_Window_Color_Kommentare:130,130,130" "Main_Window_Color_Rest:000,000,000" \
  "Main_Settings_Filter:" "Main_Settings_Filter_EA:0" "EOF" > build/TqC_Konfig.ini

display=:97
Xvfb $display -screen 0 1140x700x24 >/dev/null 2>&1 &
sleep 1
shot() {  # script, picture, xdotool steps before the picture, separated by ";" (optional)
  DISPLAY=$display build/tqc "$1" >/dev/null 2>&1 &
  local pid=$!
  sleep 3
  if [ -n "${3:-}" ]; then
    DISPLAY=$display xdotool search --sync --pid $pid --name "$1" windowfocus --sync 2>/dev/null || true
    local steps step
    IFS=';' read -ra steps <<< "$3"  # xdotool's "type" takes the rest of a call as text
    for step in "${steps[@]}"; do DISPLAY=$display xdotool $step; done
    sleep 1
  fi
  DISPLAY=$display import -window root "$2"
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
}
shot examples/wohnzimmer.tqc "$out/main-window.png"
printf '%s\n' "defvar licht = 0" "push 1" "  if licht == 0" "    on 1024" "  endif" "" "Setvar licht , 1" \
  "jump ende" > "$work/fehler.tqc"
shot "$work/fehler.tqc" "$out/error-window.png"
shot examples/wohnzimmer.tqc "$out/find-bar.png" "key ctrl+h type --delay 60 licht"
# A wrong value typed into the empty line 3, then a command and a blank: the line is marked and
# the syntax shows. The click puts the keyboard focus into the editor.
shot examples/wohnzimmer.tqc "$out/typing-marks.png" "mousemove 300 129 click 1; type --delay 60 on; key space;\
type --delay 60 5000; key Return; type --delay 60 setvar; key space; sleep 1"
# The print preview, opened through the File menu's Alt letters.
shot examples/wohnzimmer.tqc "$out/print-preview.png" "mousemove 300 129 click 1; key alt+f; key v; sleep 2"
# The dark scheme, as View > "Dunkles Farbschema" leaves it in TqC_Editor.ini.
printf '%s\r\n' "TqC Editor :-)" "Colour_Scheme:dunkel" > build/TqC_Editor.ini
shot examples/wohnzimmer.tqc "$out/dark-scheme.png"

if [ -f "$work/saved.ini" ]; then mv "$work/saved.ini" build/TqC_Konfig.ini; else rm -f build/TqC_Konfig.ini; fi
if [ -f "$work/saved-editor.ini" ]; then mv "$work/saved-editor.ini" build/TqC_Editor.ini; else rm -f build/TqC_Editor.ini; fi
echo "written: $out/main-window.png $out/error-window.png $out/find-bar.png $out/typing-marks.png" \
  "$out/print-preview.png $out/dark-scheme.png"
