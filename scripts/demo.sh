#!/usr/bin/env bash
# The main job: builds the deliverables (dist/win32 shipped, dist/win64 for
# 64-bit-only machines) and installs the shipped build (the x86_64 one where
# this machine runs no 32-bit programs) them in build/demo as a CAD office would have them: a
# package folder with a blank in its name holding VXCAD.EXE, its setup file
# and the demo menu packages, the stand-in CAD program as ACAD.EXE in a CAD
# folder, and an AutoCAD 2004 installation with a base profile in the Wine
# registry. Then it starts VXCAD.EXE alone and says, with screenshots, what
# each step of the start-up chain did, uses the floating menu and the in-CAD
# modules, and starts once more with /S leaving a package out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

./scripts/setup.sh
echo "=== building"
cmake --preset win64 >/dev/null && cmake --build --preset win64 >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 >/dev/null
file dist/win32/VXCAD.EXE dist/win32/VXMENU/VXMENU32.EXE dist/win64/VXCAD.EXE \
  dist/win64/VXMENU/VXMENU32.EXE | sed 's/^/  /'
echo "=== the release (dist/win32 stripped, laid out in the archive with the guide and the demo)"
sed 's/^/  /' build/win32/release-sizes.txt

source scripts/wine-env.sh
vx_wine_up
trap vx_wine_down EXIT
arch=$(vx_test_arch)
echo "=== running the $arch build (dist/$arch)"

winpath() { echo "Z:${1//\//\\}"; }
escaped() { winpath "$1" | sed 's/\\/\\\\/g'; }      # for sed replacements
tosjis() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; } # our UTF-8 samples as the files are
sjis() { iconv -f CP932 -t UTF-8 -c | tr -d '\r'; }   # what the programs wrote, for reading
driver=build/$arch/tools/demo_driver/demo_driver.exe

echo "=== installing the demo in build/demo"
demo=$root/build/demo
pkg="$demo/VX Package"
cad=$demo/CAD
rm -rf "$demo"
mkdir -p "$pkg" "$cad"
cp -r "dist/$arch/." "$pkg/"
cp -r "build/$arch/samples/VXDEMO" "$pkg/VXDEMO"
cp "build/$arch/tools/cad/ACAD.EXE" "$cad/ACAD.EXE"
log=$cad/acad.log
# The stand-in's own settings; it shows its window 1.5 s after its start, so
# that the splash window is seen alone for a moment.
printf '[STANDIN]\ncaption=AutoCAD 2004 - [デモ図面.dwg]\nlog=%s\nidledelay=1500\n' \
  "$(winpath "$log")" | tosjis >"$cad/ACAD.ini"
for menu in VXDEMO VXDRAW VXTOOL; do
  sed "s|@PKG@|$(escaped "$pkg")|" "samples/demo/package/$menu.INI" | tosjis \
    >"$pkg/VXDEMO/$menu.INI"
done
sed -e "s|@PKG@|$(escaped "$pkg")|" -e "s|@CAD@|$(escaped "$cad")|" \
  samples/demo/launcher/VXCAD.ini.in | tosjis >"$pkg/VXCAD.ini"
echo "  $pkg: VXCAD.EXE, VXCAD.ini, VXMENU\\ (VXMENU32.EXE, the modules), VXDEMO\\ (three packages)"
echo "  $cad: ACAD.EXE (the stand-in CAD program)"
echo "  the setup file's [SYSTEM] entries and registry script:"
sjis <"$pkg/VXCAD.ini" | sed -n '/^\[SYSTEM\]/,$p' | sed 's/^/    /'

echo "=== the Wine registry: an AutoCAD 2004 installation with its base profile"
for key in 'HKCU\Software\Autodesk\AutoCAD\R16.0' 'HKLM\Software\Autodesk\AutoCAD\R16.0'; do
  "$VX_WINE" reg delete "$key" /f /reg:32 >/dev/null 2>&1 || true
done
tosjis <samples/demo/launcher/acad2004.reg >"$demo/acad2004.reg"
# HKEY_LOCAL_MACHINE's keys go to the 32-bit view, as a 32-bit CAD program installs.
"$VX_WINE" reg import "$(winpath "$demo/acad2004.reg")" /reg:32
product='HKCU\Software\Autodesk\AutoCAD\R16.0\ACAD-201:411'
query() { "$VX_WINE" reg query "$@" 2>/dev/null | sjis | grep -v '^$' | sed 's/^/    /' || true; }
echo "  before: the base profile"
query "$product\\Profiles\\<<名前のないプロファイル>>" /s
echo "  before: Active Assistance"
query "$product\\Applications\\Active Assistance"

echo "=== starting VXCAD.EXE alone, from the package folder"
"$VX_WINE" "$pkg/VXCAD.EXE" &
launcher=$!
"$VX_WINE" "$driver" splash | sjis
import -window root "$root/build/demo-splash.png" 2>/dev/null &&
  echo "  screenshot of the splash window: build/demo-splash.png"

echo "=== what the launcher did before its splash window showed"
echo "  after: the profile VXデモ, made from the base profile by the REG- sections"
query "$product\\Profiles\\VXデモ" /s
echo "  after: Active Assistance switched off, and noted in the setup file"
query "$product\\Applications\\Active Assistance"
echo "    VXCAD.ini [VX_SETVAR] $(sjis <"$pkg/VXCAD.ini" | grep '^ActiveAssistance=')"
echo "  SYSTEM.DAT (the packages in use):"
sed 's/^/    /' "$pkg/SYSTEM.DAT" | tr -d '\r'
echo "  VXMENU\\VXMENU32.INI (the menu adds its HWND key when it starts):"
sjis <"$pkg/VXMENU/VXMENU32.INI" | sed 's/^/    /'

ini=$(winpath "$pkg/VXMENU/VXMENU32.INI")
echo "=== the floating menu, started by the splash window, started the CAD program"
"$VX_WINE" "$driver" show "$ini" "$(winpath "$log")" "$(winpath "$pkg/VXDEMO/VXDEMO.log")" | sjis
started() { grep -a -A1 '^START' "$log" | tail -1 | sjis; }
echo "  the stand-in CAD program (ACAD.EXE) was started with the arguments: $(started)"
echo "  HWND key of VXMENU32.INI: $(grep -a '^HWND' "$pkg/VXMENU/VXMENU32.INI" | tr -d '\r')"
wait $launcher || true
echo "  VXCAD.EXE has ended: its splash window closed five seconds after its start"
import -window root "$root/build/demo-screen.png" 2>/dev/null &&
  echo "  screenshot of the menu with a torn-off window and a cascade chain: build/demo-screen.png"

# --- the registered-commands dialog (kept apart: tools/demo_driver does the work)
echo "=== the registered-commands dialog"
"$VX_WINE" "$driver" dialog "$ini" | sjis
sleep 1
import -window root "$root/build/demo-dialog.png" 2>/dev/null &&
  echo "  screenshot of the dialog: build/demo-dialog.png"
"$VX_WINE" "$driver" left "$ini" "$(winpath "$log")" | sjis
import -window root "$root/build/demo-left.png" 2>/dev/null &&
  echo "  screenshot of the menu at the left edge: build/demo-left.png"
"$VX_WINE" "$driver" right "$ini" | sjis
# --- end of the dialog block

# --- The in-CAD modules: loaded into the running stand-in CAD program and
# driven by LISP calls (the steps live in tools/demo_driver, "modules").
echo "=== the in-CAD modules inside the stand-in CAD program"
file dist/win32/VXMENU/*.arx dist/win64/VXMENU/*.arx | sed 's/^/  /'
"$VX_WINE" "$driver" modules "$(winpath "$log")" "$(winpath "$pkg/VXMENU")" \
  "$(winpath "$pkg/VXDEMO/VXDEMO.CMD")" | sjis
# --- end of the in-CAD modules

# --- The menu checker: the demo packages checked with the floating menu's
# own loader, and every menu painted into one preview sheet (checker/).
echo "=== the menu checker TOOLS\\VXMCHECK.EXE on the VXMENU32.INI the launcher wrote"
"$VX_WINE" "$pkg/TOOLS/VXMCHECK.EXE" "$ini" "/PREVIEW:$(winpath "$root/build/demo-preview.png")" |
  sjis | sed 's/^/  /'
echo "  preview sheet of the top menu and every submenu: build/demo-preview.png"
# --- end of the menu checker

echo "=== closing"
"$VX_WINE" "$driver" close "$ini" | sjis
"$VX_WINE" "$driver" closecad | sjis

echo "=== starting again: VXCAD.EXE /S VXTOOL leaves the package VXTOOL out"
profile=$(query "$product\\Profiles\\VXデモ" /s)
"$VX_WINE" "$pkg/VXCAD.EXE" /S VXTOOL &
launcher=$!
"$VX_WINE" "$driver" top "$ini" | sjis
echo "  SYSTEM.DAT, written anew:"
sed 's/^/    /' "$pkg/SYSTEM.DAT" | tr -d '\r'
echo "  the packages of VXMENU32.INI:"
sjis <"$pkg/VXMENU/VXMENU32.INI" | grep '^VXMENU=' | sed 's/^/    /'
echo "  the stand-in CAD program (ACAD.EXE) was started with the arguments: $(started)"
if [ "$(query "$product\\Profiles\\VXデモ" /s)" = "$profile" ]; then
  echo "  the profile VXデモ was found this time and left as it was"
else
  echo "  the profile VXデモ changed on the second start"
fi
wait $launcher || true
import -window root "$root/build/demo-second.png" 2>/dev/null &&
  echo "  screenshot of the menu with two packages: build/demo-second.png"
"$VX_WINE" "$driver" closecad | sjis
