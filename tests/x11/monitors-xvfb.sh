#!/usr/bin/env bash
# The X11 monitor query where RandR does not tell the monitors: two X screens joined by Xinerama
# (RandR then sees only the first), the same without RandR, and a server with neither extension.
# Usage: monitors-xvfb.sh WITH_XVFB MONITOR_PROBE
set -u
with_xvfb=$1
probe=$2
# The probe's lines, and its exit status when it failed (a leak under LeakSanitizer among others).
run_probe() { "$with_xvfb" "$probe" || echo "exit status $?"; }
failures=0
expect() {  # expect WHAT EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    echo "  expected: $(echo "$2" | tr '\n' '|')"
    echo "  got:      $(echo "$3" | tr '\n' '|')"
    failures=$((failures + 1))
  fi
}
two_screens="+xinerama -screen 0 800x600x24 -screen 1 640x480x24"
# Xvfb puts every screen at the origin: the smaller one shows part of the larger one's dial.
heads="monitor 0 0 800 600 96
monitor 0 0 640 480 96
dial 0 0 800 600 96"

expect "screens joined by Xinerama: its heads, though RandR knows the first" "source xinerama
$heads" "$(XVFB_SCREENS="$two_screens" run_probe)"
expect "screens joined by Xinerama, no RandR: its heads" "source xinerama
$heads" "$(XVFB_SCREENS="$two_screens -extension RANDR" run_probe)"
expect "neither RandR nor Xinerama: the whole screen" "source screen
monitor 0 0 700 500 96
dial 0 0 700 500 96" \
  "$(XVFB_SCREENS="-screen 0 700x500x24 -extension RANDR -extension XINERAMA" run_probe)"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
