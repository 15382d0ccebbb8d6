#!/usr/bin/env bash
# Runs one Windows program under Wine64 in the test environment (the
# CMAKE_CROSSCOMPILING_EMULATOR of the win64 build).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
vx_wine_up
# A Wine process that the program's run starts (the desktop, a service)
# inherits its output and lives on: on ctest's pipe it would hold the test
# open until its time limit. The program writes to a file instead.
output=$(mktemp)
"$VX_WINE" "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit $status
