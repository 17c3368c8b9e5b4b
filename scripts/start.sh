#!/usr/bin/env bash
# Installs what is missing, builds Corvane and starts it from its build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF
cmake --build build/release --parallel "$(nproc)"
exec build/release/bin/corvane
