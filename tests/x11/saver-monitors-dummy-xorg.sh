#!/usr/bin/env bash
# The Linux saver on a real multi-monitor X server (with-xorg-dummy.sh's default layout: 1280x1024
# at 0,0, the 1024x768 primary at 1280,0, 800x600 at 2304,100), with the clock held at one instant
# by libfaketime:
#   - full screen (/s): each monitor's part of the screen equals `sundial render` of that instant
#     at the monitor's size, pixel for pixel;
#   - outputs switched off and resized while it runs: the dials are laid anew on what is left;
#   - a mouse move on a monitor other than the primary ends it;
#   - on the root window (-root, not under XScreenSaver) with Xft.dpi 192, on the two monitors
#     left: each equals
#     `sundial render --dpi 192` at its size.
# Usage: saver-monitors-dummy-xorg.sh WITH_XORG_DUMMY SAVER SUNDIAL
set -u
if [ "${1:-}" != --inside ]; then
  faketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
  if [ -z "$faketime" ] || ! command -v import >/dev/null || ! command -v xdotool >/dev/null; then
    echo "needs libfaketime, ImageMagick and xdotool; skipped" >&2
    exit 77
  fi
  exec "$1" bash "$0" --inside "${@:2}"
fi
saver=$2
sundial=$3
faketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n1)
work=$(mktemp -d)
failures=0
saver_pid=
cleanup() {
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

ok() { echo "ok: $*"; }
bad() { echo "FAILED: $*"; failures=$((failures + 1)); }

# The instant shown, in UTC; the saver's clock stands still a second before it until the test
# moves it on (the saver ticks when it sees a new second begin).
instant=2026-06-21T09:30:00+00:00
echo "2026-06-21 09:29:59" >"$work/clock"
export TZ=UTC XDG_CONFIG_HOME=$work/config  # no profile: the built-in default dial
mkdir -p "$XDG_CONFIG_HOME"

start_saver() {  # ARGS... (Xft.dpi as set); waits for its first picture
  echo "2026-06-21 09:29:59" >"$work/clock"
  import -window root "$work/before.png" 2>/dev/null
  # A sanitizer build's runtime need not come first among the libraries loaded: faketime does.
  env LD_PRELOAD="$faketime" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
    FAKETIME_TIMESTAMP_FILE="$work/clock" FAKETIME_NO_CACHE=1 \
    DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 "$saver" "$@" 2>"$work/saver.log" &
  saver_pid=$!
  for _ in $(seq 1 100); do
    sleep 0.1
    import -window root "$work/first.png" 2>/dev/null &&
      [ "$(compare -metric AE "$work/before.png" "$work/first.png" null: 2>&1)" != 0 ] && break
  done
  # The instant comes: the next tick draws the sun of it.
  echo "${instant:0:10} ${instant:11:8}" >"$work/clock"
}

# Whole paints of the instant, one per size and DPI.
expected() {  # WxH DPI -> path of the PNG
  local png=$work/expected-$1-$2.png
  [ -f "$png" ] || "$sundial" render -o "$png" --size "$1" --at "$instant" --dpi "$2" >/dev/null
  echo "$png"
}

# Waits until every monitor's part of the screen equals its whole paint; reports those that never
# do. Monitors are "WxH+X+Y".
screen_matches() {  # WHAT DPI MONITOR...
  local what=$1 dpi=$2
  shift 2
  local m differ=
  for _ in $(seq 1 40); do
    differ=
    import -window root "$work/shot.png" 2>/dev/null || { differ=screenshot; sleep 0.25; continue; }
    for m in "$@"; do
      convert "$work/shot.png" -crop "$m" +repage "$work/part.png"
      [ "$(compare -metric AE "$work/part.png" "$(expected "${m%%+*}" "$dpi")" null: 2>&1)" = 0 ] ||
        differ="$differ $m"
    done
    [ -z "$differ" ] && { ok "$what"; return; }
    sleep 0.25
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

# --- full screen, three monitors -----------------------------------------------------------------
xdotool mousemove 200 300  # on the left monitor, not the primary
start_saver /s
screen_matches "/s: each of the three monitors shows the dial at its own size" 96 \
  1280x1024+0+0 1024x768+1280+0 800x600+2304+100

# The third output off and the primary made smaller: the screen shrinks to 2080x1024. (The
# pointer stays where it is: on a monitor that changed, the server would move it, which ends the
# saver.)
xrandr --addmode DUMMY0 800x600 2>/dev/null
xrandr --output DUMMY2 --off --output DUMMY0 --mode 800x600
screen_matches "/s: the dials are laid anew when outputs go off and change size" 96 \
  1280x1024+0+0 800x600+1280+0

if ! kill -0 "$saver_pid" 2>/dev/null; then
  bad "/s ended before any input"; cat "$work/saver.log"
fi
xdotool mousemove 205 300
if ends_within 3; then ok "a mouse move on the left monitor ends /s"; else bad "/s survived a mouse move on the left monitor"; fi

# --- the root window at 192 DPI ------------------------------------------------------------------
xrdb -nocpp -merge <<<'Xft.dpi: 192'
start_saver -root
screen_matches "-root at Xft.dpi 192: each monitor equals render --dpi 192" 192 \
  1280x1024+0+0 800x600+1280+0
kill "$saver_pid" 2>/dev/null
wait "$saver_pid" 2>/dev/null
saver_pid=

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; cat "$work/saver.log"; exit 1; }
