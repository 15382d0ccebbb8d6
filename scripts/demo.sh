#!/usr/bin/env bash
# The main job: builds the deliverables (dist/win32 shipped, dist/win64 run
# here), installs them with the bundled demo package into build/demo, and
# runs the floating menu under Wine against the stand-in CAD program,
# saying what happened.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

./scripts/setup.sh
echo "=== building"
cmake --preset win64 >/dev/null && cmake --build --preset win64 >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 >/dev/null
file dist/win32/VXMENU/VXMENU32.EXE dist/win64/VXMENU/VXMENU32.EXE
echo "=== the release (dist/win32 stripped, laid out in the archive with the guide and the demo)"
sed 's/^/  /' build/win32/release-sizes.txt

source scripts/wine-env.sh
vx_wine_up
trap vx_wine_down EXIT

demo=$root/build/demo
rm -rf "$demo"
mkdir -p "$demo/VX" "$demo/CAD"
cp -r dist/win64/. "$demo/VX/"
cp build/win64/tools/cad/ACAD.EXE "$demo/CAD/ACAD.EXE"
winpath() { echo "Z:${1//\//\\}"; }
log=$(winpath "$demo/CAD/acad.log")

# The configuration the launcher would write (Shift-JIS, CR LF), with the
# demo menu packages (menu files beside their companion libraries).
cp -r build/win64/samples/VXDEMO "$demo/VXDEMO"
sed -e "s|@CAD@|$(winpath "$demo/CAD/ACAD.EXE" | sed 's/\\/\\\\/g')|" \
    -e "s|@LOG@|$(echo "$log" | sed 's/\\/\\\\/g')|" \
    -e "s|@PKG@|$(winpath "$demo/VXDEMO" | sed 's/\\/\\\\/g')|" \
    samples/demo/VXMENU32.INI.in | iconv -f UTF-8 -t CP932 | sed 's/$/\r/' \
    >"$demo/VX/VXMENU/VXMENU32.INI"

ini=$(winpath "$demo/VX/VXMENU/VXMENU32.INI")
driver=build/win64/tools/demo_driver/demo_driver.exe
sjis() { iconv -f CP932 -t UTF-8 -c | tr -d '\r'; }

echo "=== starting VXMENU32.EXE from $demo/VX/VXMENU (as the launcher does: no arguments)"
"$VX_WINE" "$demo/VX/VXMENU/VXMENU32.EXE" &
menu=$!

echo "=== using the floating menu"
"$VX_WINE" "$driver" show "$ini" "$log" "$(winpath "$demo/VXDEMO/VXDEMO.log")" | sjis
echo "  HWND key of VXMENU32.INI: $(grep -a '^HWND' "$demo/VX/VXMENU/VXMENU32.INI" | tr -d '\r')"
sleep 1
import -window root "$root/build/demo-screen.png" 2>/dev/null &&
  echo "  screenshot of the menu with a torn-off window and a cascade chain: build/demo-screen.png"

# --- the registered-commands dialog (kept apart: tools/demo_driver does the work)
echo "=== the registered-commands dialog"
"$VX_WINE" "$driver" dialog "$ini" | sjis
sleep 1
import -window root "$root/build/demo-dialog.png" 2>/dev/null &&
  echo "  screenshot of the dialog: build/demo-dialog.png"
"$VX_WINE" "$driver" left "$ini" "$log" | sjis
import -window root "$root/build/demo-left.png" 2>/dev/null &&
  echo "  screenshot of the menu at the left edge: build/demo-left.png"
"$VX_WINE" "$driver" right "$ini" | sjis
# --- end of the dialog block

# --- The in-CAD modules: loaded into the running stand-in CAD program and
# driven by LISP calls (the steps live in tools/demo_driver, "modules").
echo "=== the in-CAD modules inside the stand-in CAD program"
file dist/win32/VXMENU/*.arx dist/win64/VXMENU/*.arx | sed 's/^/  /'
"$VX_WINE" "$driver" modules "$log" "$(winpath "$demo/VX/VXMENU")" \
  "$(winpath "$demo/VXDEMO/VXDEMO.CMD")" | sjis
# --- end of the in-CAD modules

echo "=== closing"
"$VX_WINE" "$driver" close "$ini" | sjis
wait $menu || true
echo "  the stand-in CAD program started with: $(grep -a -A1 '^START' "$demo/CAD/acad.log" | tail -1 | sjis)"
