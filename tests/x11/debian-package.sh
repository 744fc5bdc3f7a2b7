#!/usr/bin/env bash
# The Debian package made by `cpack -G DEB` from a build: its name, control fields and file list,
# its desktop entry (desktop-file-validate), and lintian's verdict (no errors and no warnings).
# Usage: debian-package.sh BUILD-DIR VERSION
set -u
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null) || exit 1
deb=$out/sundial-saver_${version}_amd64.deb
[ -f "$deb" ] || { echo "debian-package: no $deb" >&2; ls "$out" >&2; exit 1; }
status=0
field() { dpkg-deb -f "$deb" "$1"; }
check() {
  [ "$(field "$1")" = "$2" ] || { echo "debian-package: $1 is '$(field "$1")', not '$2'" >&2; status=1; }
}
check Package sundial-saver
check Version "$version"
check Architecture amd64
check Section x11
check Recommends xscreensaver
# The file chooser would pull in a large part of a desktop: only suggested.
check Suggests 'zenity | kdialog'
depends=$(field Depends)
for needed in fonts-liberation fonts-dejavu-core fonts-symbola 'libc6 (' libcairo2 libpango-1.0-0 libx11-6; do
  case "$depends" in *"$needed"*) ;; *) echo "debian-package: Depends lacks $needed: $depends" >&2; status=1 ;; esac
done
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/sundial-saver ./usr/bin/sundial ./usr/libexec/xscreensaver/sundial-saver \
            ./usr/share/xscreensaver/config/sundial-saver.xml ./usr/share/doc/sundial-saver/copyright \
            ./usr/share/man/man6/sundial-saver.6.gz ./usr/share/applications/sundial-saver.desktop \
            ./usr/share/icons/hicolor/48x48/apps/sundial-saver.png \
            ./usr/share/icons/hicolor/scalable/apps/sundial-saver.svg "./usr/share/sundial-saver/examples/esempio"; do
  grep -qxF -- "$path" <<<"$files" || { echo "debian-package: $path missing" >&2; status=1; }
done
# Only the products: nothing of the tests, benchmarks or tools.
if grep -E 'test_|bench|make-examples|GenerateDailySunTables|/include/|\.a$' <<<"$files" >&2; then
  echo "debian-package: the package holds build tools" >&2
  status=1
fi
# The desktop entry opens the window mode, under the icon the package installs.
mkdir -p "$out/root"
dpkg-deb -x "$deb" "$out/root"
entry=$out/root/usr/share/applications/sundial-saver.desktop
if [ -f "$entry" ]; then
  desktop-file-validate "$entry" >&2 || status=1
  grep -qx 'Exec=sundial-saver -window' "$entry" || { echo "debian-package: the entry runs no -window" >&2; status=1; }
  grep -qx 'Icon=sundial-saver' "$entry" || { echo "debian-package: the entry names another icon" >&2; status=1; }
fi
if command -v lintian >/dev/null; then
  report=$(lintian --allow-root "$deb" 2>&1)
  if grep -E '^(E|W):' <<<"$report" >&2; then status=1; fi
else
  echo "debian-package: lintian is not installed, not run" >&2
fi
exit $status
