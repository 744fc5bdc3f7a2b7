#!/usr/bin/env bash
# End-to-end test of SundialSaverSetup.exe under Wine: a silent install into a fresh 64-bit
# prefix, the installed saver showing the example dial on an Xvfb screen of its own, and a
# silent uninstall.
# usage: installer-e2e.sh SETUP SCR PREFIX SUNDIAL_EXE EXAMPLES_DIR
#   SETUP        SundialSaverSetup.exe;  SCR  the SundialSaver.scr that it packed
#   PREFIX       the Wine prefix of this test; made afresh, removed at the end
#   SUNDIAL_EXE  sundial.exe, to draw the pictures that the screen is compared with
#   EXAMPLES_DIR the example dials that the installer packed
set -u
setup=$(realpath "$1")
scr=$(realpath "$2")
prefix=$(realpath -m "$3")
sundial_exe=$(realpath "$4")
examples=$(realpath "$5")
work=$(mktemp -d)
failures=0

ok() { echo "ok: $*"; }
bad() { echo "FAILED: $*"; failures=$((failures + 1)); }

export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
# The 64-bit loader, for which System32 is the 64-bit system folder (Debian 12 keeps it out of
# the PATH, in /usr/lib/wine).
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine64" ] || { echo "no wine64 (Debian package wine64)"; exit 1; }
export WINELOADER=$wine64
w() { "$wine64" "$@"; }
reg_value() {  # KEY VALUE: the data of a registry value, or nothing
  w reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}

# --- the X screen -------------------------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
  2>"$work/xvfb.log" &
xvfb_pid=$!
cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work" "$prefix"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$work/display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
  echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

# --- a fresh prefix -----------------------------------------------------------------------------
rm -rf "$prefix"
mkdir -p "$prefix"
w wineboot -i >/dev/null 2>&1
# Unmanaged windows: without a window manager Wine keeps a closed full-screen window two seconds.
w reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
windir=$prefix/drive_c/windows
instdir="$prefix/drive_c/Program Files/Sundial"
profile='HKCU\Software\Orvantek\Screen Saver\Velquarin'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sundial'

# --- silent install -----------------------------------------------------------------------------
w "$setup" /S >"$work/setup.log" 2>&1
status=$?
wineserver -w
if [ "$status" -eq 0 ]; then ok "the silent install ends with 0"; else bad "the install ended with $status"; fi
if cmp -s "$windir/system32/SundialSaver.scr" "$scr"; then
  ok "SundialSaver.scr is in the 64-bit System32"
else
  bad "no SundialSaver.scr (the one built) in $windir/system32"
fi
if [ -e "$windir/syswow64/SundialSaver.scr" ]; then bad "a copy went to SysWOW64"; fi
if cmp -s "$windir/esempio - tolvanet.vqr" "$examples/esempio - tolvanet.vqr"; then
  ok "the example dial is in the Windows folder"
else
  bad "no example dial in $windir"
fi
want=$(ls "$examples"/type-*.vqr | wc -l)
got=$(ls "$instdir/Examples"/type-*.vqr 2>/dev/null | wc -l)
if [ "$got" -eq "$want" ] && [ "$want" -gt 0 ]; then
  ok "the $want other example dials are in Program Files\\Sundial\\Examples"
else
  bad "$got of the $want example dials in $instdir/Examples"
fi
stored=$(reg_value "$profile" FileName)
if [ "$stored" = 'C:\windows\esempio - tolvanet.vqr' ]; then
  ok "the saver points at the example dial"
else
  bad "FileName is '$stored'"
fi
for name in DisplayName DisplayVersion Publisher UninstallString QuietUninstallString \
            DisplayIcon EstimatedSize NoModify NoRepair; do
  [ -n "$(reg_value "$uninstall" "$name")" ] || bad "the uninstall entry has no $name"
done
quiet=$(reg_value "$uninstall" QuietUninstallString)
if [ "$quiet" = '"C:\Program Files\Sundial\Uninstall.exe" /S' ] && [ -f "$instdir/Uninstall.exe" ]; then
  ok "the uninstaller is registered ($quiet)"
else
  bad "QuietUninstallString '$quiet'"
fi

# --- the installed saver shows the example dial -------------------------------------------------
shot_mean() { import -window root "$work/shot.png" && convert "$work/shot.png" -format '%[fx:mean]' info:; }
xdotool mousemove 200 200
w 'C:\windows\system32\SundialSaver.scr' /s >"$work/saver.log" 2>&1 &
saver_pid=$!
mean=0
for _ in $(seq 100); do
  sleep 0.2
  mean=$(shot_mean 2>/dev/null || echo 0)
  awk "BEGIN{exit !($mean > 0.005)}" && break
done
sleep 1.2
shot_mean >/dev/null 2>&1
# The screen against the same moment drawn from the example dial and from the built-in dial
# that the saver falls back on: it must be the example's picture (the clock text and the
# shadow differ by the seconds between the two).
w "$sundial_exe" render 'C:\windows\esempio - tolvanet.vqr' -o 'Z:'"${work//\//\\}"'\example.png' \
  --size 1024x768 >/dev/null 2>&1
w "$sundial_exe" render -o 'Z:'"${work//\//\\}"'\default.png' --size 1024x768 >/dev/null 2>&1
differ() { compare -metric AE -fuzz 8% "$work/shot.png" "$1" null: 2>&1 | sed 's/[^0-9.e+].*//'; }
to_example=$(differ "$work/example.png")
to_default=$(differ "$work/default.png")
echo "  pixels that differ from the example dial: $to_example, from the built-in dial: $to_default"
if [ -n "$to_example" ] && [ -n "$to_default" ] &&
   awk "BEGIN{exit !($to_example < 0.01 * 1024 * 768 && $to_example * 4 < $to_default)}"; then
  ok "SundialSaver.scr /s shows the example dial"
else
  bad "the screen is not the example dial"
fi
cp "$work/shot.png" "${SUNDIAL_E2E_SHOT:-/dev/null}" 2>/dev/null
xdotool key a
for _ in $(seq 40); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.1; done
kill "$saver_pid" 2>/dev/null
wineserver -w

# --- silent uninstall ---------------------------------------------------------------------------
# The obvious choice in the configuration's dialog: one of the examples in Program Files, which
# the uninstall removes, and so must the value that names it.
w reg add "$profile" /v FileName /t REG_SZ /d 'C:\Program Files\Sundial\Examples\type-01-horizontal-greenwich.vqr' /f >/dev/null 2>&1
# The uninstaller copies itself away and runs from there: wait for every process of the prefix.
w "$instdir/Uninstall.exe" /S >"$work/uninstall.log" 2>&1
wineserver -w
left=
for f in "$windir/system32/SundialSaver.scr" "$windir/esempio - tolvanet.vqr" "$instdir"; do
  [ -e "$f" ] && left="$left '$f'"
done
if [ -z "$left" ]; then ok "the silent uninstall removes what was installed"; else bad "left behind:$left"; fi
if w reg query "$uninstall" >/dev/null 2>&1; then bad "the uninstall entry is still there"; else ok "the uninstall entry is gone"; fi
if [ -z "$(reg_value "$profile" FileName)" ]; then
  ok "the profile value naming a removed example dial is gone"
else
  bad "FileName still '$(reg_value "$profile" FileName)'"
fi

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
