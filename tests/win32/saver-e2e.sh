#!/usr/bin/env bash
# End-to-end test of SundialSaver.scr under Wine, on an Xvfb screen of its own.
# usage: saver-e2e.sh WINE_RUN PREFIX SCR PROBE [SUNDIAL_EXE]
#   WINE_RUN  tools/wine-run (runs a program in the test prefix, creating it once)
#   PREFIX    the Wine prefix of this test
#   SCR       SundialSaver.scr;  PROBE  saver_probe.exe;  SUNDIAL_EXE  sundial.exe (optional)
set -u
wine_run=$1
prefix=$(realpath -m "$2")
scr=$3
probe=$4
sundial_exe=${5:-}
work=$(mktemp -d)
failures=0

ok() { echo "ok: $*"; }
bad() { echo "FAILED: $*"; failures=$((failures + 1)); }
winpath() { local p; p=$(realpath "$1"); echo "Z:${p//\//\\}"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# --- the X screen -------------------------------------------------------------------------------
display=
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start"; exit 1; }

run() { "$wine_run" "$prefix" "$@"; }
profile='HKCU\Software\Orvantek\Screen Saver\Velquarin'
stored_path() {
  run reg query "$profile" /v FileName 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *FileName *REG_SZ *//p'
}
alive() { kill -0 "$1" 2>/dev/null; }
# Waits up to $2 ms for process $1 to end; prints the time it took.
wait_end() {
  local pid=$1 limit=$2 start
  start=$(now_ms)
  while alive "$pid"; do
    if [ $(( $(now_ms) - start )) -gt "$limit" ]; then return 1; fi
    sleep 0.05
  done
  echo "  ended after $(( $(now_ms) - start )) ms"
}
screenshot_mean() { import -window root "$work/shot.png" && convert "$work/shot.png" -format '%[fx:mean]' info:; }
count_colour() {
  convert "$work/shot.png" -fill black +opaque "$1" -fill white -opaque "$1" \
    -format '%[fx:round(mean*w*h)]' info:
}
# Starts the saver full screen with the pointer resting at 200,200 and waits for the dial.
start_saver() {
  xdotool mousemove 200 200
  run "$scr" /s >"$work/saver.log" 2>&1 &
  saver_pid=$!
  local mean=0
  for _ in $(seq 100); do
    sleep 0.2
    mean=$(screenshot_mean 2>/dev/null || echo 0)
    if awk "BEGIN{exit !($mean > 0.005)}"; then break; fi
  done
  # One more second: the first tick has then drawn the present sun.
  sleep 1.2
  mean=$(screenshot_mean 2>/dev/null || echo 0)
  echo "  screen mean brightness $mean"
  awk "BEGIN{exit !($mean > 0.005)}"
}


# --- d: the example dial ------------------------------------------------------------------------
run "$scr" /d
if [ "$(stored_path)" = 'C:\windows\esempio - tolvanet.vqr' ]; then
  ok "/d stores the example dial path"
else
  bad "/d stored '$(stored_path)'"
fi

# --- c: the configuration dialog ---------------------------------------------------------------
# Waits for the open-file dialog of a saver started with /c.
open_dialog() {
  run "$scr" /c >"$work/config.log" 2>&1 &
  config_pid=$!
  local w=
  for _ in $(seq 80); do
    w=$(xdotool search --name "Scegli l'orologio da visualizzare" 2>/dev/null | head -1)
    [ -n "$w" ] && break
    sleep 0.25
  done
  sleep 0.5
  [ -n "$w" ]
}
# The chosen file must be a dial: an example under another name.
cp "$(dirname "$0")/../../examples/type-01-horizontal-greenwich.vqr" "$prefix/drive_c/windows/prova.vqr"
if open_dialog; then
  ok "/c opens the dialog \"Scegli l'orologio da visualizzare\""
  xdotool type --delay 20 'C:\windows\prova'   # no extension: the dialog adds .vqr
  xdotool key Return
  if wait_end "$config_pid" 5000; then ok "/c ends once a file is chosen"; else bad "/c did not end"; kill "$config_pid"; fi
  if [ "$(stored_path)" = 'C:\windows\prova.vqr' ]; then
    ok "the chosen file's full path is stored, with the default extension"
  else
    bad "/c stored '$(stored_path)'"
  fi
else
  bad "/c shows no dialog"; kill "$config_pid" 2>/dev/null
fi
# A file that is no dial is refused with a message box, and the choice stays as it was.
echo "not a dial" >"$prefix/drive_c/windows/garbage.vqr"
if open_dialog; then
  xdotool type --delay 20 'C:\windows\garbage.vqr'
  xdotool key Return
  box=
  for _ in $(seq 40); do
    box=$(xdotool search --name '^Screen Saver$' 2>/dev/null | head -1)
    [ -n "$box" ] && break
    sleep 0.25
  done
  if [ -n "$box" ]; then ok "/c refuses a file that is no dial with a message box"; else bad "/c showed no message box for a file that is no dial"; fi
  [ -n "$box" ] && { xdotool windowactivate --sync "$box" 2>/dev/null; xdotool key Return; }
  if wait_end "$config_pid" 5000; then ok "/c ends once the message is read"; else bad "/c did not end after the message"; kill "$config_pid"; fi
  if [ "$(stored_path)" = 'C:\windows\prova.vqr' ]; then
    ok "the refused file is not stored"
  else
    bad "after the refusal the profile holds '$(stored_path)'"
  fi
else
  bad "/c shows no dialog for the refusal"; kill "$config_pid" 2>/dev/null
fi
if open_dialog; then
  xdotool key Escape
  if wait_end "$config_pid" 5000; then ok "/c ends when the dialog is cancelled"; else bad "/c did not end on cancel"; kill "$config_pid"; fi
  if [ "$(stored_path)" = 'C:\windows\prova.vqr' ]; then
    ok "cancelling leaves the profile unchanged"
  else
    bad "after cancelling the profile holds '$(stored_path)'"
  fi
else
  bad "/c shows no dialog the second time"; kill "$config_pid" 2>/dev/null
fi

# --- switches that end at once ------------------------------------------------------------------
# (/a 0: Wine's provider router has no screen-saver password dialog; the saver just ends.)
for args in "/x" "/p 0" "/p 99999" "/D" "/" "/a 0"; do
  if run "$probe" ends "$(winpath "$scr")" $args >"$work/probe.log" 2>&1; then
    ok "'$args' ends at once"
  else
    bad "'$args' does not end at once"; cat "$work/probe.log"
  fi
done

# --- the preview in a window of another program -------------------------------------------------
if run "$probe" preview "$(winpath "$scr")" >"$work/probe.log" 2>&1; then
  ok "preview"; sed 's/^/  /' "$work/probe.log"
else
  bad "preview"; cat "$work/probe.log"
fi

# --- full screen: the window and the messages it ignores ----------------------------------------
xdotool mousemove 200 200
if run "$probe" full "$(winpath "$scr")" >"$work/probe.log" 2>&1; then
  ok "full-screen window"; sed 's/^/  /' "$work/probe.log"
else
  bad "full-screen window"; cat "$work/probe.log"
fi

# --- full screen: the dial, then the user ------------------------------------------------------
run reg delete "$profile" /v FileName /f >/dev/null 2>&1   # the built-in default dial
if start_saver; then ok "/s shows the dial full screen"; else bad "/s: the screen stays black"; fi
brown=$(count_colour 'rgb(146,84,18)' 2>/dev/null || echo 0)
echo "  brown (shadow) pixels: $brown"
if [ -n "$sundial_exe" ]; then
  altitude=$(run "$sundial_exe" sun "Z:\\nonexistent\\default.vqr" 2>/dev/null |
             tr -d '\r' | sed -n 's/.*"sunAltitude": *\(-\{0,1\}[0-9.eE+-]*\).*/\1/p' | head -1)
  if [ -n "$altitude" ]; then
    echo "  sun altitude at the default dial's place now: $altitude"
    azimuth=$(run "$sundial_exe" sun "Z:\\nonexistent\\default.vqr" 2>/dev/null |
              tr -d '\r' | sed -n 's/.*"sunAzimuth": *\(-\{0,1\}[0-9.eE+-]*\).*/\1/p' | head -1)
    echo "  sun azimuth: $azimuth"
    # The default dial is a wall declining 30 degrees: it is lit when the sun is up in front of it.
    if awk "BEGIN{a = $azimuth - 30; exit !($altitude > 5 && a > -70 && a < 70)}"; then
      if [ "$brown" -gt 0 ]; then ok "the shadow is drawn (sun up)"; else bad "sun up but no shadow"; fi
    fi
  fi
fi
cp "$work/shot.png" "${SUNDIAL_E2E_SHOT:-/dev/null}" 2>/dev/null

xdotool mousemove 203 200   # exactly the threshold (3 pixels by default)
sleep 1.5
if alive "$saver_pid"; then ok "a move of exactly the threshold keeps the saver"; else bad "a 3-pixel move ended the saver"; fi
xdotool mousemove 203 204   # 4 pixels down from the start: beyond the threshold
if wait_end "$saver_pid" 2000; then ok "a move beyond the threshold ends the saver"; else bad "the saver survived a 4-pixel move"; kill "$saver_pid"; fi

# The threshold comes from the system's screen-saver settings when they give one.
settings='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'
run reg add "$settings" /v "Mouse Threshold" /t REG_DWORD /d 10 /f >/dev/null 2>&1
if start_saver; then
  xdotool mousemove 190 210
  sleep 1.5
  if alive "$saver_pid"; then ok "\"Mouse Threshold\" 10: a 10-pixel move keeps the saver"; else bad "a 10-pixel move ended the saver"; fi
  xdotool mousemove 211 200
  if wait_end "$saver_pid" 2000; then ok "\"Mouse Threshold\" 10: an 11-pixel move ends it"; else bad "the saver survived an 11-pixel move"; kill "$saver_pid"; fi
else
  bad "/s run with a threshold of 10 showed nothing"; kill "$saver_pid" 2>/dev/null
fi
run reg delete "$settings" /v "Mouse Threshold" /f >/dev/null 2>&1

if start_saver; then
  xdotool key a
  if wait_end "$saver_pid" 2000; then ok "a key press ends the saver"; else bad "the saver survived a key press"; kill "$saver_pid"; fi
else
  bad "second /s run showed nothing"; kill "$saver_pid" 2>/dev/null
fi

if start_saver; then
  xdotool click 1
  if wait_end "$saver_pid" 2000; then ok "a mouse button ends the saver"; else bad "the saver survived a click"; kill "$saver_pid"; fi
else
  bad "third /s run showed nothing"; kill "$saver_pid" 2>/dev/null
fi

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
