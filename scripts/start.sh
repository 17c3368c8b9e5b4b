#!/usr/bin/env bash
# Installs what is missing, builds Corvane and the simulated measuring board, and starts
# Corvane on the simulated board in a demo program folder (build/release/demo).
# Options are passed to the board, e.g. --bank 48 or --fault-rate 0.05.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF
cmake --build build/release --parallel "$(nproc)"
exec tools/demo.sh build/release/bin "$@"
