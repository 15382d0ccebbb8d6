#!/usr/bin/env bash
# Runs every test of VX on a fresh or prepared machine: the native unit tests
# (AddressSanitizer + UBSan), the fuzzers for a short while, the shipped
# 32-bit build's files, the Windows-side tests under Wine against the
# stand-in CAD program on that build (where this machine runs 32-bit code)
# and on the x86_64 build, and the benchmarks (which print figures). Ends
# with a summary and a non-zero exit status when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

./scripts/setup.sh || exit 1

fuzz_seconds=${VX_FUZZ_SECONDS:-20}
results=()
failed=0

step() {
  local name=$1
  shift
  echo
  echo "=== $name"
  if "$@"; then
    results+=("ok      $name")
  else
    results+=("FAILED  $name")
    failed=1
  fi
}

native() {
  cmake --preset native >/dev/null && cmake --build --preset native &&
    ctest --preset native
}

fuzz() {
  cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || return 1
  local target status=0
  for target in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    local name corpus
    name=$(basename "$target")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    [ -d "tests/fuzz/seeds/$name" ] && cp -n tests/fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null
    echo "--- $name for ${fuzz_seconds}s"
    if ! "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$corpus" \
      >"build/fuzz/$name.log" 2>&1; then
      status=1
      tail -40 "build/fuzz/$name.log"
    fi
    grep -E "^stat::(number_of_executed_units|peak_rss_mb)" "build/fuzz/$name.log"
  done
  return $status
}

# The Wine suite on one build (win32 or win64), its programs from dist/<build>.
windows() {
  local build=$1
  cmake --preset "$build" >/dev/null && cmake --build --preset "$build" || return 1
  vx_wine_up
  ctest --preset "$build"
}

# The menu on two monitors, each arrangement on an Xorg display of its own
# (vx_wine_monitors): the tests of TwoMonitors, then, with the second
# monitor switched off, SecondMonitorGone on the layout they saved. The desk
# with the menu on the second monitor: build/two-monitors-<arrangement>.png.
monitors() {
  local build=$1
  cmake --build --preset "$build" --target menu_windows_test || return 1
  local status=0 arrangement shot test=build/$build/tests/wine/menu_windows_test.exe
  (
    source scripts/wine-env.sh
    for arrangement in right left; do
      shot=$root/build/two-monitors-$arrangement
      rm -f "$shot.bmp" "$shot.png"
      vx_wine_monitors "$arrangement" || { status=1; break; }
      VX_MONITORS=$arrangement VX_SCREENSHOT="Z:${shot//\//\\}.bmp" \
        scripts/wine-run.sh "$test" --gtest_filter='TwoMonitors.*' || status=1
      convert "$shot.bmp" "$shot.png" 2>/dev/null && rm -f "$shot.bmp" &&
        echo "the desk of two monitors ($arrangement): build/two-monitors-$arrangement.png"
      vx_wine_monitors primary || { status=1; break; }
      VX_MONITORS=primary scripts/wine-run.sh "$test" --gtest_filter='SecondMonitorGone.*' ||
        status=1
    done
    vx_wine_down
    exit $status
  )
}

# Both builds' deliverables: the shipped i686 one and the x86_64 one.
shipped() {
  local build
  for build in win32 win64; do
    cmake --preset "$build" >/dev/null && cmake --build --preset "$build" || return 1
  done
  local status=0
  grep -q "PE32 executable (GUI) Intel 80386" <<<"$(file dist/win32/VXMENU/VXMENU32.EXE)" || status=1
  grep -q "PE32+ executable (GUI) x86-64" <<<"$(file dist/win64/VXMENU/VXMENU32.EXE)" || status=1
  grep -q "PE32 executable (GUI) Intel 80386" <<<"$(file dist/win32/VXCAD.EXE)" || status=1
  grep -q "PE32+ executable (GUI) x86-64" <<<"$(file dist/win64/VXCAD.EXE)" || status=1
  file dist/win32/VXMENU/VXMENU32.EXE dist/win64/VXMENU/VXMENU32.EXE dist/win32/VXCAD.EXE \
    dist/win64/VXCAD.EXE
  # The in-CAD modules: DLLs of both builds exporting the module entries.
  local arx bits exports
  for arx in dist/win32/VXMENU/vxmstart.arx dist/win32/VXMENU/VXUTY.arx \
    dist/win64/VXMENU/vxmstart.arx dist/win64/VXMENU/VXUTY.arx; do
    case $arx in dist/win32/*) bits="(PE32)" ;; *) bits="(PE32+)" ;; esac
    exports=$(x86_64-w64-mingw32-objdump -p "$arx" 2>/dev/null)
    if grep -q "Magic.*$bits" <<<"$exports" && grep -q "DLL$" <<<"$exports" &&
      grep -Eq "\] acrxEntryPoint$" <<<"$exports" &&
      grep -Eq "\] acrxGetApiVersion$" <<<"$exports"; then
      echo "$arx: $bits DLL exporting acrxEntryPoint and acrxGetApiVersion"
    else
      echo "$arx: not a $bits DLL exporting both module entries"
      status=1
    fi
  done
  release || status=1
  return $status
}

# The shipped files: stripped, their debug information in dist/win32-symbols
# (named by .gnu_debuglink), the version block kept; the release archive.
release() {
  local status=0 version pe name rel listing expected
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt)
  expected="VXCAD.EXE VXMENU/VXMENU32.EXE VXMENU/vxmstart.arx VXMENU/VXUTY.arx
    DOCS/README.md DOCS/admin-guide.md DOCS/messages.md SAMPLES/VXDEMO/VXDEMO.MNU
    SAMPLES/VXDEMO/VXDEMO.DLL"
  for pe in $(cd dist/win32 && find . -type f \( -iname '*.exe' -o -iname '*.arx' \)); do
    rel=${pe#./}
    name=$(basename "$rel")
    expected+=" $rel"
    # Outputs are taken whole first: under pipefail a "grep -q" that stops
    # reading early fails the pipeline by its writer's SIGPIPE.
    local private headers symbols block
    private=$(i686-w64-mingw32-objdump -p "dist/win32/$rel")
    headers=$(i686-w64-mingw32-objdump -h "dist/win32/$rel")
    symbols=$(i686-w64-mingw32-objdump -h "dist/win32-symbols/$rel.debug")
    block=$(i686-w64-mingw32-windres -i "dist/win32/$rel" -O rc | grep -A12 'BLOCK "041104B0"')
    if grep -q "symbols stripped" <<<"$private" && grep -q " \.gnu_debuglink " <<<"$headers" &&
      grep -qaF "$name.debug" "dist/win32/$rel" && grep -q " \.debug_info " <<<"$symbols" &&
      grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$block"; then
      echo "$rel: stripped, symbols in dist/win32-symbols/$rel.debug, version $version"
    else
      echo "$rel: not stripped, without its symbol file or without the version block $version"
      status=1
    fi
  done
  listing=$(cmake -E tar tf "dist/VX-$version-win32.zip") || return 1
  for rel in $expected; do
    grep -qx "$rel" <<<"$listing" || { echo "dist/VX-$version-win32.zip lacks $rel"; status=1; }
  done
  cmake -E tar tvf "dist/VX-$version-win32.zip" | grep -v '/$' | awk '{print "  " $5 "\t" $NF}' | sort -k2
  # The installer package holds every shipped program too.
  local packaged
  packaged=$(msiinfo export "dist/VX-$version-win32.msi" File | cut -f3 | tr -d '\r') || return 1
  for pe in $(cd dist/win32 && find . -type f \( -iname '*.exe' -o -iname '*.arx' \)); do
    grep -qx "$(basename "$pe")" <<<"$packaged" ||
      { echo "dist/VX-$version-win32.msi lacks ${pe#./}"; status=1; }
  done
  echo "dist/VX-$version-win32.msi: $(stat -c %s "dist/VX-$version-win32.msi") bytes"
  return $status
}

# Whether this machine runs 32-bit Windows programs is found out, not assumed.
source scripts/wine-env.sh
test_arch=$(vx_test_arch)
trap vx_wine_down EXIT

step "native unit tests (ASan + UBSan)" native
step "fuzzers (${fuzz_seconds}s each)" fuzz
step "shipped i686 build" shipped
if [ "$test_arch" = win32 ]; then
  step "Windows tests under Wine, shipped i686 build (dist/win32)" windows win32
else
  echo
  echo "=== Windows tests on the shipped i686 build: not run, this machine runs no 32-bit Windows programs"
  results+=("skipped Windows tests on the i686 build (no 32-bit code runs here)")
fi
# The x86_64 build ships too (machines without 32-bit support): pointer
# widths, structure layouts and the registry's 64-bit view show only there.
step "Windows tests under Wine64, x86_64 build (dist/win64)" windows win64
step "the menu on two monitors under Wine ($test_arch build)" monitors "$test_arch"
step "benchmarks (figures; targets are not checked)" ./scripts/bench.sh

echo
echo "=== summary"
printf '%s\n' "${results[@]}"
exit $failed
