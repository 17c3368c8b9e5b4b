#!/usr/bin/env bash
# Builds every fuzz target with clang and libFuzzer and runs each for SECONDS seconds.
# New inputs go to fuzz/build/corpus-new/<target>; crashing inputs to fuzz/build/crashes/<target>;
# each target's whole output to fuzz/build/<target>.log.
# Copy a fixed crash into fuzz/corpus/<target>/ so that the test run replays it for good.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift

scripts/install-deps.sh
need=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=(); [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${need[@]}"
fi

CC=clang CXX=clang++ cmake -S . -B fuzz/build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVANE_FUZZ=ON -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build fuzz/build --parallel "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
status=0  # a crash in one target still lets the others run
for t in "${targets[@]}"; do
  mkdir -p "fuzz/build/corpus-new/$t" "fuzz/build/crashes/$t"
  dict=(); [ -f "fuzz/dict/$t.dict" ] && dict=("-dict=fuzz/dict/$t.dict")
  echo "== $t for ${seconds}s"
  # Libraries outside the program keep a few allocations for the life of the process.
  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
    fuzz/build/bin/"$t" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="fuzz/build/crashes/$t/" -max_len=4096 "${dict[@]}" \
    "fuzz/build/corpus-new/$t" "fuzz/corpus/$t" >"fuzz/build/$t.log" 2>&1 || status=1
  tail -n 15 "fuzz/build/$t.log"
done
exit $status
