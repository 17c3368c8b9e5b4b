#!/usr/bin/env bash
# Builds the Debian package corvane_<version>_<arch>.deb from this source tree:
#
#   scripts/package.sh [BUILD_DIR]     (default build/package)
#   scripts/package.sh --tree BUILD_DIR
#
# A Release build of the programs alone (no tests, no benchmarks) installed below /usr,
# stripped, with its dependencies worked out from the shared libraries. Prints the
# package's path on the last line. A second run rebuilds only what changed.
# With --tree it packs a tree that is already built with the hardening flags (as
# scripts/test.sh builds build/test), without configuring or compiling it again.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --tree ]; then
  build=${2:?"--tree needs a build folder"}
  grep -qx 'CORVANE_DEBIAN_HARDENING:BOOL=ON' "$build/CMakeCache.txt" ||
    { echo "$build is not built with the hardening flags" >&2; exit 1; }
else
  build=${1:-build/package}
  scripts/install-deps.sh
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DCORVANE_DEBIAN_HARDENING=ON \
    -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
rm -f "$build"/corvane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/corvane_*.deb)
echo "$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"
