#!/usr/bin/env bash
# Steady CPU of the Windows saver, SundialSaver.scr /s under Wine (wine64) on a private Xvfb
# screen, for the built-in default dial and chosen examples, measured as bench/measure-saver-cpu.sh
# measures the Linux saver: the CPU time of the .scr process over SECONDS after a warm-up, per
# tick and as a share of one core, once keeping its picture and once painting everything every
# second (SUNDIAL_SAVER_FULL_REPAINT=1). The dial is set in the registry of a Wine prefix of the
# script's own (made once, under build/windows/bench-wineprefix; Wine's own processes are not
# counted). At each size, the first line is the floor: bench/tick-floor-win32.c, which only draws a
# clock text with GDI and shows its seconds once a second, measured the same way.
#
# Usage: bench/measure-wine-saver-cpu.sh [SECONDS] [SCR]   (default 20 s, the windows build's saver)
#        TYPES="01 12" bench/measure-wine-saver-cpu.sh ...   (only those dial types and the default)
#        ROUNDS=3 bench/measure-wine-saver-cpu.sh ...   (each figure the median of three runs)
#        SIZES="1920x1080" bench/measure-wine-saver-cpu.sh ...
#        AT="2026-12-09 15:30:00" bench/measure-wine-saver-cpu.sh ...   (the clock from that UTC time)
#        MONITORS=2 bench/measure-wine-saver-cpu.sh ...
#            (on Xorg's dummy driver, tests/x11/with-xorg-dummy.sh, as root, with that many
#            1920x1080 monitors side by side instead of Xvfb: the saver draws a dial on each)
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
if [ -n "${MONITORS:-}" ] && [ -z "${SUNDIAL_BENCH_XORG:-}" ]; then
  layout=
  for ((i = 0; i < MONITORS; i++)); do
    layout="$layout --output DUMMY$i --mode 1920x1080 --pos $((1920 * i))x0"
    [ "$i" = 0 ] && layout="$layout --primary"
  done
  SUNDIAL_BENCH_XORG=1 XORG_DUMMY_LAYOUT=$layout \
    exec "$root/tests/x11/with-xorg-dummy.sh" "$0" "$@"
fi
seconds=${1:-20}
scr=${2:-$root/build/windows/src/platform/win32/SundialSaver.scr}
warmup=4
[ -f "$scr" ] || { echo "no saver at $scr (cmake --preset windows && cmake --build --preset windows)" >&2; exit 1; }
command -v wine64 >/dev/null || PATH=/usr/lib/wine:$PATH
prefix=${WINE_PREFIX:-$root/build/windows/bench-wineprefix}
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

clock=()
if [ -n "${AT:-}" ]; then
  faketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
  [ -n "$faketime" ] || { echo "AT needs libfaketime (apt-get install faketime)" >&2; exit 1; }
  clock=(env LD_PRELOAD="$faketime" NO_FAKE_STAT=1 DONT_FAKE_MONOTONIC=1 TZ=UTC FAKETIME="@$AT")
fi

dials=("")
for t in ${TYPES:-01 12}; do
  dials+=("$(ls "$root"/examples/type-$t-*.vqr | head -n1)")
done

start_xvfb() {  # WIDTHxHEIGHT
  [ -n "${MONITORS:-}" ] && return  # the Xorg server around the script
  Xvfb -displayfd 3 -screen 0 "${1}x24" -br -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
  # The system's X resources, as a desktop session merges them (Debian's Xsession, from
  # /etc/X11/Xresources): on a server with none at all, Xlib reads ~/.Xdefaults again at every
  # resource asked for, which Wine's X11 driver does at every font selected.
  for resources in /etc/X11/Xresources/*; do
    [ -f "$resources" ] && xrdb -merge "$resources" 2>/dev/null
  done
}
stop_xvfb() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  [ -n "${MONITORS:-}" ] && return
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
  rm -f "$work/display"
}

x86_64-w64-mingw32-gcc -O2 -mwindows -static -o "$work/TickFloor.exe" "$here/tick-floor-win32.c" ||
  exit 1

winpath() { local p; p=$(realpath "$1"); echo "Z:${p//\//\\}"; }
use_dial() {  # DIAL (empty: the built-in default dial)
  local value=""
  [ -n "$1" ] && value=$(winpath "$1")
  "$root/tools/wine-run" "$prefix" reg add 'HKCU\Software\Orvantek\Screen Saver\Velquarin' \
    /v FileName /t REG_SZ /d "$value" /f >/dev/null 2>&1
}

cpu_us() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }'
}

# The process of the program itself (Wine names it after the program).
program_pid() {  # NAME
  for _ in $(seq 1 100); do
    local pid
    pid=$(pgrep -f "$1" | while read -r p; do
      tr '\0' ' ' </proc/"$p"/cmdline 2>/dev/null | grep -q "^[^ ]*$1" && echo "$p"
    done | head -n1)
    [ -n "$pid" ] && { echo "$pid"; return; }
    sleep 0.1
  done
}

measure_once() {  # DIAL FULL(0/1/floor)
  use_dial "$1"
  local full=() program=("$scr" /s) name='SundialSaver\.scr'
  [ "$2" = 1 ] && full=(SUNDIAL_SAVER_FULL_REPAINT=1)
  [ "$2" = floor ] && program=("$work/TickFloor.exe") name='TickFloor\.exe'
  env "${full[@]}" "${clock[@]}" "$root/tools/wine-run" "$prefix" "${program[@]}" >/dev/null 2>&1 &
  local runner=$!
  local pid
  sleep "$warmup"  # Wine may start the program more than once before it runs
  pid=$(program_pid "$name")
  [ -n "$pid" ] || { kill "$runner" 2>/dev/null; echo "- -"; return; }
  local before after
  before=$(cpu_us "$pid")
  sleep "$seconds"
  after=$(cpu_us "$pid")
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  wait "$runner" 2>/dev/null
  awk -v d=$((after - before)) -v s="$seconds" \
    'BEGIN { ms = d / 1000; printf "%.2f %.3f\n", ms / s, ms / s / 10 }'
}

# The median of ROUNDS runs (default 1): on a shared machine one run of a few seconds can land
# on a busy moment of the neighbours.
measure() {
  for ((round = 0; round < ${ROUNDS:-1}; round++)); do measure_once "$@"; done |
    sort -n | awk '{ line[NR] = $0 } END { print line[int((NR + 1) / 2)] }'
}

name_of() { [ -z "$1" ] && echo "default dial" || basename "$1" .vqr; }

"$root/tools/wine-run" "$prefix" cmd /c exit >/dev/null 2>&1  # the prefix, made once
echo "CPU of SundialSaver.scr /s under Wine over $seconds s (after $warmup s), ms of CPU a tick and % of one core${AT:+, clock from $AT UTC}"
printf '%-44s %-11s %22s %22s\n' dial size "kept picture" "full repaint"
sizes=${SIZES:-1920x1080}
[ -n "${MONITORS:-}" ] && sizes="${MONITORS}x1920x1080"
for size in $sizes; do
  start_xvfb "$size"
  # The first saver on a new X server ends at once while Wine sets up there: a run not counted.
  measure_once "" 0 >/dev/null
  read -r kms kpct < <(measure "" floor)
  printf '%-44s %-11s %9s ms %7s %%\n' "floor: a clock text alone" "$size" "$kms" "$kpct"
  for dial in "${dials[@]}"; do
    read -r kms kpct < <(measure "$dial" 0)
    read -r fms fpct < <(measure "$dial" 1)
    printf '%-44s %-11s %9s ms %7s %% %9s ms %7s %%\n' "$(name_of "$dial")" "$size" \
      "$kms" "$kpct" "$fms" "$fpct"
  done
  stop_xvfb
done
