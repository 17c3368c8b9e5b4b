#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh, in a build folder of its own or from a
# tree already built with the hardening flags; checks its control fields and contents, has
# lintian look for errors, extracts it into a temporary root, checks that the programs are
# hardened and runs the extracted corvane --version.
#
#   package_test.sh SOURCE_DIR VERSION BUILD_DIR
#   package_test.sh SOURCE_DIR VERSION --tree BUILD_DIR   (packs that built tree as it is)
set -euo pipefail
source=$1 version=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

started=$(date +%s)
deb=$("$source/scripts/package.sh" "$@" | tail -n 1)
built=$(($(date +%s) - started))
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "corvane_${version}_${arch}.deb" ] || fail "the package is named $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = corvane ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = electronics ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6; do
  grep -q "\b$library (>=" <<<"$depends" || fail "Depends names no $library: $depends"
done

dpkg-deb --contents "$deb" | awk '{ print $6 }' >"$work/contents"
for path in ./usr/bin/corvane ./usr/bin/corvane-board ./usr/share/corvane/prog.cfg \
  ./usr/share/doc/corvane/copyright ./usr/share/man/man1/corvane.1.gz \
  ./usr/share/applications/org.example.corvane.Corvane.desktop; do
  grep -qxF "$path" "$work/contents" || fail "the package holds no $path"
done
if [ -f "$source/install/systemd/corvane@.service.in" ]; then
  grep -qxF ./usr/lib/systemd/system/corvane@.service "$work/contents" || fail "the package holds no systemd unit"
fi
if grep -v -e '^\./usr/' -e '^\./$' "$work/contents" | grep -q .; then fail "the package installs outside /usr"; fi

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || { cat "$work/lintian"; fail "lintian reports errors"; }
  grep -v 'running with root privileges' "$work/lintian" || true
fi

dpkg -x "$deb" "$work/root"
for program in corvane corvane-board; do
  file "$work/root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
  # Debian's hardening: relocations read-only (RELRO) and bound at start (BIND_NOW).
  readelf -lW "$work/root/usr/bin/$program" | grep -q GNU_RELRO || fail "$program has no read-only relocations"
  readelf -dW "$work/root/usr/bin/$program" | grep -q 'BIND_NOW\|FLAGS.*NOW' || fail "$program does not bind at start"
done
[ "$("$work/root/usr/bin/corvane" --version)" = "corvane $version" ] || fail "the extracted corvane --version does not print 'corvane $version'"
if [ -f "$work/root/usr/lib/systemd/system/corvane@.service" ]; then
  grep -q '/usr/bin/corvane' "$work/root/usr/lib/systemd/system/corvane@.service" || fail "the unit does not start /usr/bin/corvane"
fi

echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes, built in $built s"
echo "Depends: $depends"
[ "$failures" -eq 0 ]
