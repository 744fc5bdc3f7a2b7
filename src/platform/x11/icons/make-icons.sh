#!/usr/bin/env bash
# Renders the saver's icon (drawn once for both platforms in
# src/platform/win32/resources/SundialSaver.svg) into the PNG sizes that the desktop's icon theme
# and the window manager take: installed under share/icons/hicolor, and built into the program for
# its window (_NET_WM_ICON). Needs rsvg-convert (librsvg2-bin). Run it after changing the SVG and
# commit the PNGs: the build takes them as they are.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
svg=$here/../../win32/resources/SundialSaver.svg
for size in 16 32 48 128; do
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$here/sundial-saver-$size.png"
done
echo "wrote $here/sundial-saver-{16,32,48,128}.png"
