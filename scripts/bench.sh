#!/usr/bin/env bash
# Runs the benchmarks and prints their figures, each line with its target.
# Figures never fail the run; a benchmark program that cannot run does.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0

echo "--- native (optimised build)"
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null || exit 1
for bench in build/bench/tools/bench/*_bench; do
  [ -x "$bench" ] || continue
  echo "--- $(basename "$bench")"
  "$bench" || status=1
done

cmake --preset win64 >/dev/null && cmake --build --preset win64 >/dev/null || exit 1
source scripts/wine-env.sh
vx_wine_up
winpath() { echo "Z:${1//\//\\}"; }
for bench in build/win64/tools/bench/win_*_bench.exe; do
  name=$(basename "$bench" .exe)
  echo "--- $name (under Wine)"
  case $name in
    win_menu_ui_bench)
      args=("$(winpath "$PWD/dist/win64/VXMENU/VXMENU32.EXE")"
            "$(winpath "$PWD/build/win64/tools/cad/ACAD.EXE")"
            "$(winpath "$PWD/build/win64/samples/VXDEMO")") ;;
    win_lisp_call_bench)
      args=("$(winpath "$PWD/build/win64/tools/cad/ACAD.EXE")"
            "$(winpath "$PWD/dist/win64/VXMENU/VXUTY.arx")") ;;
    win_launcher_bench)
      args=("$(winpath "$PWD/dist/win64/VXCAD.EXE")"
            "$(winpath "$PWD/dist/win64/VXMENU/VXMENU32.EXE")"
            "$(winpath "$PWD/build/win64/tools/cad/ACAD.EXE")"
            "$(winpath "$PWD/build/win64/samples/VXDEMO")") ;;
    *) args=() ;;
  esac
  "$VX_WINE" "$bench" "${args[@]}" || status=1
done
vx_wine_down
exit $status
