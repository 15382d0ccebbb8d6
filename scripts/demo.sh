#!/usr/bin/env bash
# The main job: builds the deliverables (dist/win32 shipped, dist/win64 for
# machines that cannot run 32-bit code) and their installer packages, installs
# the package of the build the tests run silently into the Wine prefix as a CAD
# office would (a package folder with a blank in its name, the office's CAD
# folder and profile name given as properties), adds the demo menu packages
# and the demo's setup file, the stand-in CAD program as ACAD.EXE in a CAD
# folder and an AutoCAD 2004 installation with a base profile in the Wine
# registry. Then it starts the installed VXCAD.EXE alone and says, with
# screenshots, what each step of the start-up chain did, uses the floating
# menu and the in-CAD modules, starts once more with /S leaving a package out,
# and at the end removes the package and shows what stayed.
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
echo "=== the Windows Installer packages (installer/vx.wxs)"
for msi in dist/VX-*-win32.msi dist/VX-*-win64.msi; do echo "  $msi: $(stat -c %s "$msi") bytes"; done

source scripts/wine-env.sh
vx_wine_up
trap vx_wine_down EXIT
arch=$(vx_test_arch)
echo "=== running the $arch build (dist/$arch)"
driver=build/$arch/tools/demo_driver/demo_driver.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt)

winpath() { echo "Z:${1//\//\\}"; }
escaped() { winpath "$1" | sed 's/\\/\\\\/g'; }      # for sed replacements
tosjis() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; } # our UTF-8 samples as the files are
sjis() { iconv -f CP932 -t UTF-8 -c | tr -d '\r'; }   # what the programs wrote, for reading

echo "=== installing dist/VX-$version-$arch.msi silently, per user, into C:\\VX Package"
demo=$root/build/demo
pkg="$WINEPREFIX/drive_c/VX Package"
cad=$demo/CAD
pkgwin='C:\VX Package'  # the same folder as Windows programs name it
pkgesc=$(sed 's/\\/\\\\/g' <<<"$pkgwin")  # for sed replacements
# What an earlier run left: its installation and the files its programs wrote.
"$VX_WINE" msiexec /x "$(winpath "$root/dist/VX-$version-$arch.msi")" /qn >/dev/null 2>&1 || true
rm -rf "$demo" "$pkg"
mkdir -p "$cad"
elapsed() { awk -v from="$1" -v to="$EPOCHREALTIME" 'BEGIN { printf "%.1f", to - from }'; }
start=$EPOCHREALTIME
"$VX_WINE" msiexec /i "$(winpath "$root/dist/VX-$version-$arch.msi")" /qn "INSTALLDIR=$pkgwin" \
  "ACAD16DIR=$(winpath "$cad")" "PFNAME=VXデモ"
echo "  msiexec /i VX-$version-$arch.msi /qn INSTALLDIR=\"$pkgwin\" ACAD16DIR=... PFNAME=VXデモ: $(elapsed "$start") s"
(cd "$pkg" && find . -type f | sort | sed 's|^\./|    |')
echo "  VXCAD.ini as the package wrote it (PKGDIR, ACAD16DIR and PFNAME filled in):"
sjis <"$pkg/VXCAD.ini" | grep -E '^(PKGDIR|PFNAME|ACAD16DIR)=' | sed 's/^/    /'
echo "  Start menu: $(cd "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" && ls VX*.lnk)"
echo "=== the office's additions: the demo menu packages beside it, the demo's setup file"
cp -r "build/$arch/samples/VXDEMO" "$pkg/VXDEMO"
cp "build/$arch/tools/cad/ACAD.EXE" "$cad/ACAD.EXE"
log=$cad/acad.log
# The stand-in's own settings; it shows its window 1.5 s after its start, so
# that the splash window is seen alone for a moment.
printf '[STANDIN]\ncaption=AutoCAD 2004 - [デモ図面.dwg]\nlog=%s\nidledelay=1500\n' \
  "$(winpath "$log")" | tosjis >"$cad/ACAD.ini"
for menu in VXDEMO VXDRAW VXTOOL; do
  sed "s|@PKG@|$pkgesc|" "samples/demo/package/$menu.INI" | tosjis \
    >"$pkg/VXDEMO/$menu.INI"
done
sed -e "s|@PKG@|$pkgesc|" -e "s|@CAD@|$(escaped "$cad")|" \
  samples/demo/launcher/VXCAD.ini.in | tosjis >"$pkg/VXCAD.ini"
echo "  $pkgwin: VXCAD.EXE, VXCAD.ini, VXMENU\\ (VXMENU32.EXE, the modules), VXDEMO\\ (three packages)"
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

echo "=== starting the installed VXCAD.EXE alone, from the package folder"
"$VX_WINE" "$pkgwin\\VXCAD.EXE" &
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

ini="$pkgwin\\VXMENU\\VXMENU32.INI"
echo "=== the floating menu, started by the splash window, started the CAD program"
"$VX_WINE" "$driver" show "$ini" "$(winpath "$log")" "$pkgwin\\VXDEMO\\VXDEMO.log" | sjis
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
"$VX_WINE" "$driver" modules "$(winpath "$log")" "$pkgwin\\VXMENU" \
  "$pkgwin\\VXDEMO\\VXDEMO.CMD" | sjis
# --- end of the in-CAD modules

# --- The menu checker: the demo packages checked with the floating menu's
# own loader, and every menu painted into one preview sheet (checker/).
echo "=== the menu checker TOOLS\\VXMCHECK.EXE on the VXMENU32.INI the launcher wrote"
"$VX_WINE" "$pkgwin\\TOOLS\\VXMCHECK.EXE" "$ini" "/PREVIEW:$(winpath "$root/build/demo-preview.png")" |
  sjis | sed 's/^/  /'
echo "  preview sheet of the top menu and every submenu: build/demo-preview.png"
# --- end of the menu checker

echo "=== closing"
"$VX_WINE" "$driver" close "$ini" | sjis
"$VX_WINE" "$driver" closecad | sjis

echo "=== starting again: VXCAD.EXE /S VXTOOL leaves the package VXTOOL out"
profile=$(query "$product\\Profiles\\VXデモ" /s)
"$VX_WINE" "$pkgwin\\VXCAD.EXE" /S VXTOOL &
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

echo "=== removing the package: msiexec /x VX-$version-$arch.msi /qn"
start=$EPOCHREALTIME
"$VX_WINE" msiexec /x "$(winpath "$root/dist/VX-$version-$arch.msi")" /qn
echo "  removed in $(elapsed "$start") s; what stayed in $pkgwin (written by the office, the programs and the demo):"
(cd "$pkg" && find . -type f | sort | sed 's|^\./|    |')
