#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and Debian's hardening
# flags and runs every test (the package test packs this same tree; corvane and
# corvane-board are linked with link-time optimisation, where two classes of one name fail
# the link); then builds the unit and window tests again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them there too. Any failure or report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/install-deps.sh

# Repeated runs on one machine reuse earlier compilations.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # The precompiled toolkit headers are cacheable only when ccache takes them on trust.
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros
fi

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON \
  -DCORVANE_DEBIAN_HARDENING=ON -DCORVANE_ODR_CHECK=ON "${launcher[@]}"
cmake --build build/test --parallel "$jobs"
ctest --test-dir build/test --output-on-failure --parallel "$jobs"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
  -DCORVANE_SANITIZE=ON -DCORVANE_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build/sanitize --parallel "$jobs"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1" \
LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build/sanitize --output-on-failure --parallel "$jobs" --label-exclude 'e2e|install|package'
