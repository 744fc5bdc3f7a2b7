#!/usr/bin/env bash
# The X11 monitor query on a real multi-monitor server (with-xorg-dummy.sh's default layout):
# RandR's three monitors, the primary right of a larger one; one dial on each; the DPI of the
# Xft.dpi resource; and a change of the outputs while the query's client runs.
# Usage: monitors-dummy-xorg.sh WITH_XORG_DUMMY MONITOR_PROBE
set -u
if [ "${1:-}" != --inside ]; then
  exec "$1" "$0" --inside "$2"
fi
probe_program=$2
failures=0
# The probe's lines, and its exit status when it failed (a leak under LeakSanitizer among others).
probe() { "$probe_program" "$@" || echo "exit status $?"; }
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

expect "RandR gives the three monitors, each a dial at 96 DPI" "source randr
monitor 1280 0 2304 768 96
monitor 0 0 1280 1024 96
monitor 2304 100 3104 700 96
dial 1280 0 2304 768 96
dial 0 0 1280 1024 96
dial 2304 100 3104 700 96" "$(probe)"

xrdb -nocpp -merge <<<'Xft.dpi: 191.6'
expect "the Xft.dpi resource is the DPI of every monitor" "monitor 1280 0 2304 768 192
monitor 0 0 1280 1024 192
monitor 2304 100 3104 700 192" "$(probe | grep '^monitor')"
xrdb -nocpp -remove <<<'Xft.dpi:'

# The third output switched off and the first made smaller while the probe waits.
xrandr --addmode DUMMY1 1024x768
out=$(mktemp)
probe --wait-change >"$out" &
probe_pid=$!
for _ in $(seq 1 100); do grep -q '^waiting' "$out" && break; sleep 0.05; done
xrandr --output DUMMY2 --off --output DUMMY1 --mode 1024x768
wait "$probe_pid"
expect "a change of the outputs is seen and the monitors asked anew" "waiting
source randr
monitor 1280 0 2304 768 96
monitor 0 0 1024 768 96
dial 1280 0 2304 768 96
dial 0 0 1024 768 96" "$(sed -n '/^waiting/,$p' "$out")"
rm -f "$out"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
