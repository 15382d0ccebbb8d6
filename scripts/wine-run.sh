#!/usr/bin/env bash
# Runs one Windows program under Wine64 in the test environment (the
# CMAKE_CROSSCOMPILING_EMULATOR of the win64 build).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
vx_wine_up
exec "$VX_WINE" "$@"
