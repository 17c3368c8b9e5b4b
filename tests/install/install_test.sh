#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks every installed file: the list is
# exact and nothing lands outside the prefix, the desktop entry, AppStream metadata and
# manual pages pass their validators, the icons have their sizes, and the installed
# corvane answers --version and --help with the folder an installed copy uses.
#
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
have() { command -v "$1" >/dev/null || { echo "NOTE: $1 is not installed; its check is skipped"; return 1; }; }

started=$(date +%s%N)
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

id=org.example.corvane.Corvane
expected=(
  bin/corvane bin/corvane-board
  share/corvane/prog.cfg share/corvane/settings.cfg
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png
  share/man/man1/corvane.1.gz share/man/man1/corvane-board.1.gz
  share/doc/corvane/copyright share/doc/corvane/changelog.gz share/doc/corvane/README.md
  share/doc/corvane/decisions.md share/doc/corvane/reliability.md
)
expected+=("lib/systemd/system/corvane@.service")

if ! diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort); then
  fail "the installed files differ from the list (< expected, > installed)"
fi
while read -r path; do
  case $path in "$prefix"/*) ;; *) fail "installed outside the prefix: $path" ;; esac
done <"$build/install_manifest.txt"

for program in corvane corvane-board; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
for cfg in prog.cfg settings.cfg; do
  cmp -s "$source/install/$cfg" "$prefix/share/corvane/$cfg" || fail "share/corvane/$cfg differs from install/$cfg"
done

# Menu entry and metadata name the same application, icon and version.
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -qx "Exec=corvane" "$desktop" || fail "the desktop entry does not start corvane"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metadata launches no $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata's newest release is not $version"
if have desktop-file-validate; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if have appstreamcli; then
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli validate"; }
fi

icons=$prefix/share/icons/hicolor
file "$icons/scalable/apps/$id.svg" | grep -q "SVG Scalable Vector Graphics image" || fail "the scalable icon is no SVG"
for size in 48 256; do
  file "$icons/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size," || fail "the ${size}x$size icon is no PNG of that size"
done

# Manual pages render without a warning and name every option the programs take.
for page in corvane corvane-board; do
  man_file=$prefix/share/man/man1/$page.1.gz
  if have man; then
    warnings=$(MANWIDTH=80 man --warnings -l "$man_file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man -l $page.1: $warnings"
    MANWIDTH=80 man -l "$man_file" 2>/dev/null | grep -q "^NAME" || fail "man -l $page.1 shows no NAME section"
  fi
  roff=$(zcat "$man_file" | sed 's/\\-/-/g')
  for option in $("$prefix/bin/$page" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "$option" <<<"$roff" || fail "$page.1 does not describe $option"
  done
done
zcat "$prefix/share/doc/corvane/changelog.gz" | head -1 | grep -qF "corvane ($version)" || fail "the changelog's newest entry is not $version"

# The installed program, run as a user of an installed copy.
[ "$("$prefix/bin/corvane" --version)" = "corvane $version" ] || fail "corvane --version does not print 'corvane $version'"
help=$(env -u XDG_DATA_HOME HOME="$work/home" "$prefix/bin/corvane" --help)
grep -qxF "Program folder: $work/home/.local/share/corvane" <<<"$help" || fail "--help names another folder: $help"
grep -qF "$prefix/bin holds an installed copy without prog.cfg" <<<"$help" || fail "--help does not say why: $help"
[ ! -e "$work/home" ] || fail "--help made the data folder"
help=$(XDG_DATA_HOME="$work/data" HOME="$work/home" "$prefix/bin/corvane" --help)
grep -qxF "Program folder: $work/data/corvane" <<<"$help" || fail "--help ignores XDG_DATA_HOME: $help"

unit=$prefix/lib/systemd/system/corvane@.service
grep -qF "$prefix/bin/corvane --service" "$unit" || fail "the unit does not start $prefix/bin/corvane --service"
! grep -q '@[A-Z_]*@' "$unit" || fail "the unit keeps a placeholder: $(grep '@[A-Z_]*@' "$unit")"

elapsed_ms=$((($(date +%s%N) - started) / 1000000))
files=$(find "$prefix" -type f | wc -l)
bytes=$(find "$prefix" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
echo "install check: $files files, $bytes bytes installed, $failures failures, $elapsed_ms ms"
[ "$failures" -eq 0 ]
