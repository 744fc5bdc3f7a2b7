#!/usr/bin/env bash
# `cmake --install` with the prefix /usr into a scratch DESTDIR puts exactly the products where a
# Debian system and XScreenSaver look for them. Usage: install-layout.sh BUILD-DIR
set -u
build=$1
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null || exit 1
cd "$dest"
expected='usr/bin/sundial
usr/bin/sundial-saver
usr/libexec/xscreensaver/sundial-saver
usr/share/applications/sundial-saver.desktop
usr/share/doc/sundial-saver/changelog.gz
usr/share/doc/sundial-saver/copyright
usr/share/icons/hicolor/128x128/apps/sundial-saver.png
usr/share/icons/hicolor/16x16/apps/sundial-saver.png
usr/share/icons/hicolor/32x32/apps/sundial-saver.png
usr/share/icons/hicolor/48x48/apps/sundial-saver.png
usr/share/icons/hicolor/scalable/apps/sundial-saver.svg
usr/share/man/man1/sundial.1.gz
usr/share/man/man6/sundial-saver.6.gz
usr/share/sundial-saver/examples/esempio - tolvanet.vqr
usr/share/xscreensaver/config/sundial-saver.xml'
# Every file and link but the other example dials.
actual=$(find . \( -type f -o -type l \) ! -path './usr/share/sundial-saver/examples/type-*' |
         sed 's|^\./||' | LC_ALL=C sort)
status=0
if [ "$actual" != "$expected" ]; then
  echo "install-layout: installed files differ from the expected layout:" >&2
  diff <(echo "$expected") <(echo "$actual") >&2
  status=1
fi
link=$(readlink usr/libexec/xscreensaver/sundial-saver)
if [ "$link" != "../../bin/sundial-saver" ]; then
  echo "install-layout: the module is '$link', not a relative link to ../../bin/sundial-saver" >&2
  status=1
fi
[ -x usr/libexec/xscreensaver/sundial-saver ] || { echo "install-layout: module not executable" >&2; status=1; }
[ "$(ls usr/share/sundial-saver/examples/type-*.vqr | wc -l)" -ge 15 ] ||
  { echo "install-layout: example dials missing" >&2; status=1; }
for page in usr/share/man/man1/sundial.1.gz usr/share/man/man6/sundial-saver.6.gz usr/share/doc/sundial-saver/changelog.gz; do
  gzip -t "$page" || status=1
done
# The saver installed there finds its example dial beside itself.
cfg=$(mktemp -d)
XDG_CONFIG_HOME=$cfg usr/libexec/xscreensaver/sundial-saver d || status=1
grep -qxF "FileName=$dest/usr/share/sundial-saver/examples/esempio - tolvanet.vqr" \
  "$cfg/Orvantek/Screen Saver.ini" || {
  echo "install-layout: 'd' stored another example path:" >&2
  cat "$cfg/Orvantek/Screen Saver.ini" >&2
  status=1
}
rm -rf "$cfg"
exit $status
