#!/usr/bin/env bash
# The module description against the format of XScreenSaver's own module descriptions: the schema
# must accept every description Debian's xscreensaver installs (when it is installed), and ours.
# Usage: module-description.sh SCHEMA.rng OUR-MODULE.xml
set -u
schema=$1
ours=$2
stock=(/usr/share/xscreensaver/config/*.xml)
[ -e "${stock[0]}" ] || stock=()
xmllint --noout --relaxng "$schema" "${stock[@]}" "$ours" || exit 1
# What the settings program shows and runs: the label, the command and the dial file widget.
grep -q '<screensaver name="sundial-saver" _label="Sundial"' "$ours" &&
  grep -q '<command arg="--root"/>' "$ours" &&
  grep -q '<file id="file" _label="Dial file" arg="--file %"/>' "$ours" || {
  echo "module-description: $ours lacks its label, command or dial file widget" >&2
  exit 1
}
