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

source scripts/wine-env.sh
# The shipped i686 build's figures beside the x86_64 build's, each benchmark
# on both, where this machine runs 32-bit programs.
builds=(win64)
[ "$(vx_test_arch)" = win32 ] && builds=(win32 win64)
for build in "${builds[@]}"; do
  cmake --preset "$build" >/dev/null && cmake --build --preset "$build" >/dev/null || exit 1
done
vx_wine_up
winpath() { echo "Z:${1//\//\\}"; }
for bench in build/win64/tools/bench/win_*_bench.exe; do
  name=$(basename "$bench" .exe)
  for build in "${builds[@]}"; do
    dist=$PWD/dist/$build
    out=$PWD/build/$build
    echo "--- $name ($build, under Wine)"
    case $name in
      win_menu_ui_bench)
        args=("$(winpath "$dist/VXMENU/VXMENU32.EXE")" "$(winpath "$out/tools/cad/ACAD.EXE")"
              "$(winpath "$out/samples/VXDEMO")") ;;
      win_lisp_call_bench)
        args=("$(winpath "$out/tools/cad/ACAD.EXE")" "$(winpath "$dist/VXMENU/VXUTY.arx")") ;;
      win_launcher_bench)
        args=("$(winpath "$dist/VXCAD.EXE")" "$(winpath "$dist/VXMENU/VXMENU32.EXE")"
              "$(winpath "$out/tools/cad/ACAD.EXE")" "$(winpath "$out/samples/VXDEMO")") ;;
      *) args=() ;;
    esac
    "$VX_WINE" "$out/tools/bench/$name.exe" "${args[@]}" || status=1
  done
done
vx_wine_down
exit $status
