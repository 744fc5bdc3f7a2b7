#!/usr/bin/env bash
# The monitors as the Windows shell finds them under Wine on a real multi-monitor X server
# (with-xorg-dummy.sh's default layout: 1280x1024 at 0,0, the 1024x768 primary right of it,
# 800x600 at 2304,100). Wine puts the primary monitor at the origin, so the virtual screen starts
# at -1280,0. Then the same with 192 DPI set in the registry (LogPixels).
# Usage: monitors-dummy-xorg.sh WITH_XORG_DUMMY WINE_RUN PREFIX MONITOR_PROBE
set -u
if [ "${1:-}" != --inside ]; then
  exec "$1" bash "$0" --inside "${@:2}"
fi
wine_run=$2
prefix=$(realpath -m "$3")
probe=$4
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
run() { "$wine_run" "$prefix" "$@"; }
cleanup() { WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1; }
trap cleanup EXIT
# The probe's lines sorted, for an answer that does not depend on the order of the monitors.
probe_lines() { { run "$probe" || echo "exit status $?"; } | tr -d '\r' | sort; }

layout() {  # layout DPI
  echo "dial 0 0 1280 1024 $1
dial 1280 0 2304 768 $1
dial 2304 100 3104 700 $1
monitor -1280 0 0 1024 $1
monitor 0 0 1024 768 $1
monitor 1024 100 1824 700 $1
virtual -1280 0 1824 1024"
}

expect "the virtual screen, three monitors at 96 DPI, a dial on each" \
  "$(layout 96 | sort)" "$(probe_lines)"

run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1  # the DPI is read when Wine starts
WINEPREFIX=$prefix wineserver -w
expect "192 DPI set in the registry is the DPI of every monitor" \
  "$(layout 192 | sort)" "$(probe_lines)"
run reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
