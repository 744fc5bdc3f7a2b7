#!/usr/bin/env bash
# Steady CPU of the Linux saver drawing on the root window of a private Xvfb screen, for the
# built-in default dial and one example of each dial type, at 1920x1080 and 3840x2160: the CPU
# time of the saver process over SECONDS after a warm-up (the run time of its threads from
# /proc/PID/task/*/schedstat, in nanoseconds; utime + stime from /proc/PID/stat, counted in
# clock ticks of 10 ms, where the kernel keeps no such statistics),
# per tick and as a share of one core, once keeping its picture (what the saver does) and once
# repainting everything each second (SUNDIAL_SAVER_FULL_REPAINT=1, as it did before). Then the
# first frame (exec to the first picture on the root window) and the peak memory of the saver
# (/usr/bin/time -v) for the default dial and the receiving-outline dial. At each size, the first
# line is the floor: bench/tick-floor.c, which only draws a clock text with Pango and sends its
# seconds to the server once a second, measured the same way.
#
# Usage: bench/measure-saver-cpu.sh [SECONDS] [SAVER]   (default 20 s, the Release build's saver)
#        TYPES="01 12" bench/measure-saver-cpu.sh ...     (only those dial types and the default)
#        ROUNDS=3 bench/measure-saver-cpu.sh ...   (each figure the median of three runs)
#        SIZES="1920x1080" bench/measure-saver-cpu.sh ... (only those screen sizes)
#        AT="2026-12-09 15:30:00" bench/measure-saver-cpu.sh ...
#        MONITORS=2 bench/measure-saver-cpu.sh ...
#            (on Xorg's dummy driver, tests/x11/with-xorg-dummy.sh, as root, with that many
#            1920x1080 monitors side by side instead of Xvfb: the saver draws a dial on each;
#            SIZES and the first-frame part are left out)
#            (the saver's clock starts at that UTC time in every run, through libfaketime, so that
#            runs at any hour see the same sun: the cost of a tick depends on how long the shadow
#            is and whether it moves)
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
saver=${2:-$root/build/release/src/platform/x11/sundial-saver}
warmup=2
[ -x "$saver" ] || { echo "no saver at $saver (cmake --preset release && cmake --build --preset release)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/probe" "$here/first-frame-probe.c" -lX11 || exit 1
# shellcheck disable=SC2046
cc -O2 -o "$work/floor" "$here/tick-floor.c" $(pkg-config --cflags --libs pangocairo x11) || exit 1
hz=$(getconf CLK_TCK)

# The clock the saver runs with: this machine's, or a fake one starting at $AT.
clock=()
if [ -n "${AT:-}" ]; then
  faketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
  [ -n "$faketime" ] || { echo "AT needs libfaketime (apt-get install faketime)" >&2; exit 1; }
  # File times stay true (NO_FAKE_STAT): fontconfig, seeing its font directories' times shifted,
  # would rebuild its caches, and the next saver on the true clock would rebuild them again
  # (some 400 ms on the first frame measured below).
  clock=(env LD_PRELOAD="$faketime" NO_FAKE_STAT=1 TZ=UTC FAKETIME="@$AT")
fi

dials=("")
for t in ${TYPES:-00 01 02 03 04 05 06 07 08 09 10 11 12 13 14}; do
  dials+=("$(ls "$root"/examples/type-$t-*.vqr | head -n1)")
done

xvfb_pid=
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
  [ -n "${MONITORS:-}" ] && return
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  rm -f "$work/display"
}

use_dial() {  # DIAL (empty: the built-in default dial)
  export XDG_CONFIG_HOME="$work/config"
  mkdir -p "$XDG_CONFIG_HOME/Orvantek"
  printf '[Velquarin]\nFileName=%s\n' "$1" >"$XDG_CONFIG_HOME/Orvantek/Screen Saver.ini"
}

# CPU time of a process so far, in microseconds.
cpu_us() {
  if [ -r "/proc/$1/schedstat" ]; then
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }'
  else
    awk -v hz="$hz" '{ printf "%d\n", ($14 + $15) * 1000000 / hz }' "/proc/$1/stat"
  fi
}

# Prints "ms-per-tick percent" for one run of the saver, or of the floor.
measure_once() {  # DIAL FULL(0/1/floor)
  use_dial "$1"
  if [ "$2" = floor ]; then
    "${clock[@]}" "$work/floor" 2>/dev/null &
  elif [ "$2" = 1 ]; then
    SUNDIAL_SAVER_FULL_REPAINT=1 "${clock[@]}" "$saver" -root 2>/dev/null &
  else
    "${clock[@]}" "$saver" -root 2>/dev/null &
  fi
  local pid=$!
  sleep "$warmup"
  kill -0 "$pid" 2>/dev/null || { echo "- -"; return; }
  local before after
  before=$(cpu_us "$pid")
  sleep "$seconds"
  after=$(cpu_us "$pid")
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
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

echo "CPU of the saver over $seconds s (after $warmup s), ms of CPU a tick and % of one core${AT:+, clock from $AT UTC}"
printf '%-44s %-11s %22s %22s %8s\n' dial size "kept picture" "full repaint" ratio
sizes=${SIZES:-1920x1080 3840x2160}
[ -n "${MONITORS:-}" ] && sizes="${MONITORS}x1920x1080"
for size in $sizes; do
  start_xvfb "$size"
  read -r kms kpct < <(measure "" floor)
  printf '%-44s %-11s %9s ms %7s %%\n' "floor: a clock text alone" "$size" "$kms" "$kpct"
  for dial in "${dials[@]}"; do
    read -r kms kpct < <(measure "$dial" 0)
    read -r fms fpct < <(measure "$dial" 1)
    ratio=$(awk -v k="$kms" -v f="$fms" 'BEGIN { if (k > 0) printf "%.0fx", f / k; else print ">" f / 0.01 "x" }' 2>/dev/null)
    printf '%-44s %-11s %9s ms %7s %% %9s ms %7s %% %8s\n' "$(name_of "$dial")" "$size" \
      "$kms" "$kpct" "$fms" "$fpct" "$ratio"
  done
  stop_xvfb
done

[ -n "${MONITORS:-}" ] && exit 0
echo
echo "First frame (exec to the first picture on the root window) and peak memory, 1920x1080"
receiving=$(ls "$root"/examples/type-12-*.vqr | head -n1)
for dial in "" "$receiving"; do
  use_dial "$dial"
  frames=()
  for _ in 1 2 3; do
    start_xvfb 1920x1080  # a fresh black root window each time
    frames+=("$("$work/probe" 5000 "$saver" -root)")
    stop_xvfb
  done
  start_xvfb 1920x1080
  /usr/bin/time -v -o "$work/time" timeout -s TERM 6 "$saver" -root 2>/dev/null
  stop_xvfb
  rss=$(awk -F: '/Maximum resident/ { printf "%.1f", $2 / 1024 }' "$work/time")
  printf '%-44s first frame %s ms (three runs), peak RSS %s MiB\n' "$(name_of "$dial")" \
    "${frames[*]}" "$rss"
done
