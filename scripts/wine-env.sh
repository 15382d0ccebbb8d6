#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: one reusable Wine prefix,
# a Japanese locale (code page 932), an Xvfb display and a persistent
# wineserver, shared by every program of a run. Wine64's loader runs both
# builds: a 32-bit program is handed to the 32-bit loader (wine32:i386).
VX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${VX_WINEPREFIX:-$VX_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
VX_WINE=/usr/lib/wine/wine64
VX_WINESERVER=/usr/lib/wine/wineserver
VX_WINE_STATE="$WINEPREFIX.state"
# A prefix made before the 32-bit Wine was installed fails for 32-bit
# programs: the prefix records which loaders it was made with.
VX_WINE_LOADERS="wine64"
[ -x /usr/lib/wine/wine ] && VX_WINE_LOADERS="wine64 wine32"

# Starts the X server of the command line (which writes its display number to
# descriptor 3) unless the one the state folder names still runs.
vx_display_up() {
  local pid=""
  [ -f "$VX_WINE_STATE/xvfb.pid" ] && pid=$(cat "$VX_WINE_STATE/xvfb.pid")
  if [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; then
    rm -f "$VX_WINE_STATE/display"
    setsid "$@" 3>"$VX_WINE_STATE/display" </dev/null >/dev/null 2>&1 &
    echo $! >"$VX_WINE_STATE/xvfb.pid"
    for _ in $(seq 300); do
      [ -s "$VX_WINE_STATE/display" ] && break
      sleep 0.1
    done
  fi
  [ -s "$VX_WINE_STATE/display" ] || { echo "wine: the X server ($1) did not start" >&2; return 1; }
}

# Starts what is missing: the display, the prefix, the wineserver.
vx_wine_up() {
  mkdir -p "$VX_WINE_STATE"
  exec 9>"$VX_WINE_STATE/lock"
  flock 9
  vx_display_up Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp || { flock -u 9; return 1; }
  export DISPLAY=":$(tr -d '[:space:]' <"$VX_WINE_STATE/display")"
  if [ -f "$WINEPREFIX/.vx-ready" ] &&
    [ "$(cat "$WINEPREFIX/.vx-ready")" != "$VX_WINE_LOADERS" ]; then
    echo "wine: the prefix $WINEPREFIX was made for other loaders; making it anew" >&2
    "$VX_WINESERVER" -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/.vx-ready" ]; then
    echo "wine: preparing the prefix $WINEPREFIX" >&2
    "$VX_WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
    # Without a window manager, managed windows wait 2 s for it on every close.
    "$VX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      </dev/null >/dev/null 2>&1
    "$VX_WINESERVER" -w
    echo "$VX_WINE_LOADERS" >"$WINEPREFIX/.vx-ready"
  fi
  # A second call finds the server running and leaves it. A new server's
  # first program starts Wine's services and desktop process, which would
  # keep that program's output pipes open: start them here, detached.
  if setsid "$VX_WINESERVER" -p </dev/null >/dev/null 2>&1; then
    "$VX_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
    # Wine closes the desktop about a second after its last program ends; a
    # program starting just then can lose its first window (a message box
    # that returns at once). One idle program keeps the desktop open while
    # the server lives; vx_wine_down ends it with the server.
    setsid "$VX_WINE" cmd /c "ping -n 1000000 127.0.0.1 >nul" </dev/null >/dev/null 2>&1 9>&- &
  fi
  flock -u 9
}

# Ends the wineserver (and with it every program left) and the display.
vx_wine_down() {
  "$VX_WINESERVER" -k >/dev/null 2>&1 || true
  if [ -f "$VX_WINE_STATE/xvfb.pid" ]; then
    kill "$(cat "$VX_WINE_STATE/xvfb.pid")" 2>/dev/null || true
  fi
  rm -f "$VX_WINE_STATE/xvfb.pid" "$VX_WINE_STATE/display"
}

# Prints the build whose programs the tests and the main job run: win32 (the
# shipped one) when this machine runs 32-bit Windows programs, else win64. A
# tiny 32-bit program tells: kernels differ in running 32-bit code at all.
# The reason for win64 goes to standard error.
vx_test_arch() {
  local probe_dir="$VX_ROOT/build/arch-probe" status
  mkdir -p "$probe_dir"
  if [ ! -f "$probe_dir/probe32.exe" ]; then
    i686-w64-mingw32-gcc -s -o "$probe_dir/probe32.exe" "$VX_ROOT/scripts/arch-probe.c" ||
      { echo "no 32-bit compiler: running the x86_64 build" >&2; echo win64; return; }
  fi
  vx_wine_up
  "$VX_WINE" "$probe_dir/probe32.exe" </dev/null >/dev/null 2>&1
  status=$?
  if [ $status = 32 ]; then
    echo win32
  else
    echo "this machine does not run 32-bit Windows programs (probe exit $status): running the x86_64 build" >&2
    echo win64
  fi
}

# Two monitors side by side for the placement tests, as "right" (the
# primary 1024x768 at 0,0, a second 1280x1024 at 1024,0) or "left" (the
# second at -1280,0), or "primary" (the second switched off): an Xorg display
# with the dummy driver in place of Xvfb, with its own prefix and server.
# Wine reads the monitors when a prefix's server starts, so the server is
# restarted on every change; scripts/wine-run.sh then runs in it too.
# vx_wine_down ends it all.
vx_wine_monitors() {
  export VX_WINEPREFIX="$VX_ROOT/build/wineprefix-monitors"
  export WINEPREFIX="$VX_WINEPREFIX"
  VX_WINE_STATE="$WINEPREFIX.state"
  mkdir -p "$VX_WINE_STATE"
  local conf="$VX_WINE_STATE/xorg.conf"
  printf '%s\n' 'Section "Device"' ' Identifier "dummy"' ' Driver "dummy"' ' VideoRam 64000' \
    'EndSection' 'Section "Monitor"' ' Identifier "monitor"' ' HorizSync 5.0-1000.0' \
    ' VertRefresh 5.0-200.0' 'EndSection' 'Section "Screen"' ' Identifier "screen"' \
    ' Device "dummy"' ' Monitor "monitor"' ' DefaultDepth 24' ' SubSection "Display"' \
    '  Depth 24' '  Virtual 2304 1024' ' EndSubSection' 'EndSection' >"$conf"
  vx_display_up Xorg -displayfd 3 -noreset -nolisten tcp -config "$conf" \
    -logfile "$VX_WINE_STATE/xorg.log" || return 1
  local display=":$(tr -d '[:space:]' <"$VX_WINE_STATE/display")"
  # The second monitor's mode is added once; a second --addmode fails harmlessly.
  DISPLAY=$display xrandr --addmode DUMMY1 1280x1024 2>/dev/null
  case $1 in
    right)
      DISPLAY=$display xrandr --output DUMMY0 --mode 1024x768 --pos 0x0 --primary \
        --output DUMMY1 --mode 1280x1024 --pos 1024x0 || return 1 ;;
    left)
      DISPLAY=$display xrandr --output DUMMY0 --mode 1024x768 --pos 1280x0 --primary \
        --output DUMMY1 --mode 1280x1024 --pos 0x0 || return 1 ;;
    primary)
      DISPLAY=$display xrandr --output DUMMY1 --off \
        --output DUMMY0 --mode 1024x768 --pos 0x0 --primary || return 1 ;;
    *) echo "vx_wine_monitors: right, left or primary" >&2; return 1 ;;
  esac
  # The prefix made (or made anew) first: its first server may not see them.
  vx_wine_up
  # A full probe of the outputs: without it Wine's next server may still
  # find the second monitor missing.
  DISPLAY=$display xrandr --verbose >/dev/null
  "$VX_WINESERVER" -k >/dev/null 2>&1
  "$VX_WINESERVER" -w >/dev/null 2>&1
  vx_wine_up
}
