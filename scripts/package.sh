#!/usr/bin/env bash
# Builds the Debian package corvane_<version>_<arch>.deb from this source tree:
#
#   scripts/package.sh [BUILD_DIR]     (default build/package)
#
# A Release build of the programs alone (no tests, no benchmarks) installed below /usr,
# stripped, with its dependencies worked out from the shared libraries. Prints the
# package's path on the last line. A second run rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}

scripts/install-deps.sh

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# Debian's hardening: checked buffer functions, and relocations made read-only at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
rm -f "$build"/corvane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/corvane_*.deb)
echo "$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"
