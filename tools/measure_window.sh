#!/usr/bin/env bash
# Measures what the real main window costs while corvane-board feeds it: the share of one
# core it uses, its peak resident memory, and the error-log entries it writes.
#
#   tools/measure_window.sh <bin-dir> [--rate FPS] [--seconds N] [--interval S] [--baud B]
#                           [board options...]
#
# <bin-dir> holds the built corvane and corvane-board. Corvane runs under the offscreen
# platform from a temporary program folder, logging every S seconds (default 10) from the
# start; the board sends FPS frames a second (default 20) at B baud (default 19200, enough
# for 20 frames a second) without faults unless board options say otherwise. The first 3 seconds (start-up) are not counted; the share is
# measured over the following N seconds (default 60).
set -euo pipefail
. "$(dirname "$0")/board_folder.sh"

usage() { echo "usage: $0 <bin-dir> [--rate FPS] [--seconds N] [--interval S] [--baud B] [board options...]" >&2; exit 2; }
[ $# -ge 1 ] || usage
[ -d "$1" ] || { echo "$0: $1 is not a folder" >&2; usage; }
bin=$(cd "$1" && pwd)
shift
rate=20
seconds=60
interval=10
baud=19200
while [ $# -gt 0 ]; do
  case "$1" in
    --rate) rate=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --interval) interval=$2; shift 2 ;;
    --baud) baud=$2; shift 2 ;;
    *) break ;;
  esac
done
for program in corvane corvane-board; do
  [ -x "$bin/$program" ] || { echo "$0: $bin/$program is missing; build Corvane first" >&2; exit 2; }
done

folder=$(mktemp -d)
port=7
board=
corvane=
cleanup() {
  [ -n "$corvane" ] && kill "$corvane" 2>/dev/null && wait "$corvane" 2>/dev/null || true
  [ -n "$board" ] && kill "$board" 2>/dev/null && wait "$board" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT

cp "$bin/corvane" "$folder/corvane"
write_board_config "$folder" "$port" "$interval" 24 "$baud"

"$bin/corvane-board" --folder "$folder" --port "$port" --rate "$rate" --baud "$baud" "$@" > "$folder/board.out" 2>&1 &
board=$!
for _ in $(seq 50); do
  [ -L "$folder/COM$port" ] && break
  sleep 0.1
done
[ -L "$folder/COM$port" ] || { echo "$0: corvane-board did not link COM$port" >&2; exit 1; }

QT_QPA_PLATFORM=offscreen "$folder/corvane" > "$folder/corvane.out" 2>&1 &
corvane=$!

# utime + stime of the process, in clock ticks.
cpu_ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$corvane/stat"; }
now_ns() { date +%s%N; }

sleep 3
kill -0 "$corvane" 2>/dev/null || { echo "$0: corvane stopped:" >&2; cat "$folder/corvane.out" >&2; exit 1; }
ticks0=$(cpu_ticks)
t0=$(now_ns)
sleep "$seconds"
ticks1=$(cpu_ticks)
t1=$(now_ns)
peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$corvane/status")

hz=$(getconf CLK_TCK)
records=$(cat "$folder"/logs/P_*.txt 2>/dev/null | wc -l || true)
entries=0
[ -f "$folder/errorlog.txt" ] && entries=$(wc -l < "$folder/errorlog.txt")
joined=$(grep -c '\]\[ or long string' "$folder/errorlog.txt" 2>/dev/null || true)
awk -v t0="$t0" -v t1="$t1" -v c0="$ticks0" -v c1="$ticks1" -v hz="$hz" -v kb="$peak_kb" \
    -v rate="$rate" -v baud="$baud" -v records="$records" -v entries="$entries" -v joined="${joined:-0}" 'BEGIN {
  elapsed = (t1 - t0) / 1e9
  cpu = (c1 - c0) / hz
  printf "frames per second:  %s at %s baud\n", rate, baud
  printf "measured seconds:   %.1f\n", elapsed
  printf "cpu seconds:        %.2f\n", cpu
  printf "cpu share:          %.2f %% of one core\n", 100 * cpu / elapsed
  printf "peak rss:           %.1f MB\n", kb / 1024
  printf "records written:    %d\n", records
  printf "error-log entries:  %d (\"][ or long string\": %d)\n", entries, joined
}'
if [ "$entries" -gt 0 ]; then
  echo "error log:"
  sed 's/\r$//; s/^/  /' "$folder/errorlog.txt" | head -20
fi
