#!/usr/bin/env bash
# Runs a command against a private Xvfb server: the server picks a free display number itself
# (-displayfd), so several of these can run at once. Usage: with-xvfb.sh COMMAND [ARGS...]
# XVFB_SCREENS replaces the one 800x600 screen with other Xvfb arguments (screens, extensions).
set -u
dir=$(mktemp -d)
# shellcheck disable=SC2086  # a list of arguments
Xvfb -displayfd 3 ${XVFB_SCREENS:--screen 0 800x600x24} -nolisten tcp -noreset \
  3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
for _ in $(seq 1 100); do
  [ -s "$dir/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$dir/display" ]; then
  echo "with-xvfb: Xvfb did not start" >&2
  cat "$dir/xvfb.log" >&2
  kill "$xvfb" 2>/dev/null
  rm -rf "$dir"
  exit 1
fi
export DISPLAY=":$(head -n1 "$dir/display")"
"$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
rm -rf "$dir"
exit $status
