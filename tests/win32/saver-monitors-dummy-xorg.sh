#!/usr/bin/env bash
# SundialSaver.scr /s under Wine on a real multi-monitor X server (with-xorg-dummy.sh's default
# layout: 1280x1024 at 0,0, the 1024x768 primary at 1280,0, 800x600 at 2304,100), with the clock
# held at one instant by libfaketime:
#   - the saver covers every monitor, and each monitor's part of the screen equals
#     `sundial.exe render` of that instant at the monitor's size, pixel for pixel;
#   - a mouse move on a monitor other than the primary ends it;
#   - with 192 DPI set in the registry (LogPixels), each monitor equals `render --dpi 192`.
# Usage: saver-monitors-dummy-xorg.sh WITH_XORG_DUMMY WINE_RUN PREFIX SCR SUNDIAL_EXE
set -u
if [ "${1:-}" != --inside ]; then
  faketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
  if [ -z "$faketime" ] || ! command -v import >/dev/null || ! command -v xdotool >/dev/null; then
    echo "needs libfaketime, ImageMagick and xdotool; skipped" >&2
    exit 77
  fi
  exec "$1" bash "$0" --inside "${@:2}"
fi
wine_run=$2
prefix=$(realpath -m "$3")
scr=$4
sundial_exe=$5
faketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n1)
work=$(mktemp -d)
failures=0
saver_pid=
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

ok() { echo "ok: $*"; }
bad() { echo "FAILED: $*"; failures=$((failures + 1)); }
run() { "$wine_run" "$prefix" "$@"; }
restart_wine() {  # Wine reads the DPI and the clock's zone when it starts
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
}
winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

instant=2026-06-21T09:30:00+00:00
export TZ=UTC
run reg delete 'HKCU\Software\Orvantek\Screen Saver\Velquarin' /v FileName /f >/dev/null 2>&1
restart_wine

# Whole paints of the instant by the Windows build, one per size and DPI.
expected() {  # WxH DPI -> path of the PNG
  local png=$work/expected-$1-$2.png
  [ -f "$png" ] || run "$sundial_exe" render -o "$(winpath "$png")" --size "$1" --at "$instant" \
    --dpi "$2" >/dev/null 2>&1
  echo "$png"
}

# The saver with Wine's clock standing at the instant (the saver's timer runs on the monotonic
# clock, which stays true).
start_saver() {
  restart_wine
  env LD_PRELOAD="$faketime" FAKETIME="${instant:0:10} ${instant:11:8}" DONT_FAKE_MONOTONIC=1 \
    NO_FAKE_STAT=1 "$wine_run" "$prefix" "$scr" /s >"$work/saver.log" 2>&1 &
  saver_pid=$!
}

# Waits until every monitor's part of the screen ("WxH+X+Y") equals its whole paint.
screen_matches() {  # WHAT DPI MONITOR...
  local what=$1 dpi=$2
  shift 2
  local m differ=
  for _ in $(seq 1 60); do
    differ=
    import -window root "$work/shot.png" 2>/dev/null || { differ=screenshot; sleep 0.5; continue; }
    for m in "$@"; do
      convert "$work/shot.png" -crop "$m" +repage "$work/part.png"
      [ "$(compare -metric AE "$work/part.png" "$(expected "${m%%+*}" "$dpi")" null: 2>&1)" = 0 ] ||
        differ="$differ $m"
    done
    [ -z "$differ" ] && { ok "$what"; return; }
    sleep 0.5
  done
  bad "$what: differs from the whole paint on$differ"
  cp "$work/shot.png" "${SUNDIAL_MONITORS_SHOT:-/dev/null}" 2>/dev/null
}

ends_within() {  # SECONDS
  for _ in $(seq 1 $(($1 * 10))); do
    kill -0 "$saver_pid" 2>/dev/null || { wait "$saver_pid"; saver_pid=; return 0; }
    sleep 0.1
  done
  return 1
}

monitors=(1280x1024+0+0 1024x768+1280+0 800x600+2304+100)

xdotool mousemove 200 300  # on the left monitor, not the primary
start_saver
screen_matches "/s covers the three monitors, each with the dial at its own size" 96 "${monitors[@]}"
if ! kill -0 "$saver_pid" 2>/dev/null; then bad "/s ended before any input"; cat "$work/saver.log"; fi
xdotool mousemove 200 304
if ends_within 3; then ok "a mouse move on the left monitor ends /s"; else bad "/s survived a mouse move on the left monitor"; fi

run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
restart_wine
start_saver
screen_matches "at 192 DPI (LogPixels) each monitor equals render --dpi 192" 192 "${monitors[@]}"
xdotool mousemove 200 300
ends_within 3 || bad "/s at 192 DPI survived a mouse move"
run reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
