#!/usr/bin/env bash
# Renders SundialSaver.svg into SundialSaver.ico, with the sizes Windows shows a program's icon
# at (16 to 48 pixels in lists and dialogs, 256 in large views; the 256 one stored as PNG).
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils). Run it after changing the SVG and
# commit both files: the build takes the .ico as it is.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=(16 20 24 32 40 48 64 256)
pngs=()
for size in "${sizes[@]}"; do
  rsvg-convert -w "$size" -h "$size" "$here/SundialSaver.svg" -o "$work/$size.png"
  pngs+=("$work/$size.png")
done
# Every size below 256 as a classic bitmap (read by every Windows version), 256 as PNG.
icotool -c -o "$here/SundialSaver.ico" "${pngs[@]:0:${#pngs[@]}-1}" -r "$work/256.png"
echo "wrote $here/SundialSaver.ico (${sizes[*]} pixels)"
