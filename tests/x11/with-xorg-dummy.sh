#!/usr/bin/env bash
# Runs a command against a private multi-monitor X server: Xorg with the dummy video driver, its
# outputs laid out by xrandr. Like with-xvfb.sh, the server picks a free display number itself
# (-displayfd) and is checked alive; its config file and log live in a scratch folder.
# Usage: with-xorg-dummy.sh COMMAND [ARGS...]
#
# The default layout has three monitors of different sizes, the primary neither the leftmost nor
# the largest:
#   DUMMY1  1280x1024 at 0,0
#   DUMMY0  1024x768  at 1280,0   (primary)
#   DUMMY2   800x600  at 2304,100
# XORG_DUMMY_LAYOUT replaces it with other xrandr arguments ("--output NAME --mode WxH --pos XxY
# [--primary]" per output). Each mode should be one the driver has (xrandr lists them on DUMMY0);
# it is added to the outputs that use it. A mode made by `xrandr --newmode` must be made and
# added before; Wine sees it too, since the outputs are probed once the layout is set.
#
# Xorg needs root; without root, Xorg or the dummy driver the command is not run and the exit
# status is 77 (a skipped test for CTest).
set -u
layout=${XORG_DUMMY_LAYOUT:-"--output DUMMY1 --mode 1280x1024 --pos 0x0
  --output DUMMY0 --mode 1024x768 --pos 1280x0 --primary
  --output DUMMY2 --mode 800x600 --pos 2304x100"}

if [ "$(id -u)" != 0 ] || ! command -v Xorg >/dev/null || ! command -v xrandr >/dev/null ||
   [ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ]; then
  echo "with-xorg-dummy: needs root, Xorg, xrandr and xserver-xorg-video-dummy; skipped" >&2
  exit 77
fi

dir=$(mktemp -d)
# One screen large enough for any layout of the driver's modes; the outputs share its memory.
cat >"$dir/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 8192 4096
  EndSubSection
EndSection
CONF

Xorg -displayfd 3 -config "$dir/xorg.conf" -logfile "$dir/xorg.log" -nolisten tcp -noreset \
  3>"$dir/display" >"$dir/xorg.out" 2>&1 &
xorg=$!
stop() {
  kill "$xorg" 2>/dev/null
  wait "$xorg" 2>/dev/null
  rm -rf "$dir"
}
fail() {
  echo "with-xorg-dummy: $*" >&2
  cat "$dir/xorg.out" >&2
  stop
  exit 1
}
for _ in $(seq 1 200); do
  [ -s "$dir/display" ] && break
  kill -0 "$xorg" 2>/dev/null || break
  sleep 0.05
done
[ -s "$dir/display" ] || fail "Xorg did not start"
export DISPLAY=":$(head -n1 "$dir/display")"
xrandr --query >/dev/null 2>&1 || fail "Xorg does not answer on $DISPLAY"

# Each output gets the mode it is to show from the driver's list, then the layout is set at once.
output=
for word in $layout; do
  if [ "${prev:-}" = --output ]; then output=$word; fi
  if [ "${prev:-}" = --mode ] && [ -n "$output" ]; then
    xrandr --addmode "$output" "$word" 2>/dev/null  # already there for the output that has it
  fi
  prev=$word
done
# shellcheck disable=SC2086  # the layout is a list of arguments
xrandr $layout || fail "xrandr could not set the layout: $layout"
# The driver tells that an output in use is connected only when the outputs are probed again.
# Wine reads them without probing (and would see the first output alone), so probe them once.
xrandr --query >/dev/null || fail "xrandr could not probe the outputs"

"$@"
status=$?
stop
exit $status
