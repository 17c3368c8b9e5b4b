#!/usr/bin/env bash
# A long unattended run: `corvane --service` reads corvane-board at 20 frames/s with a
# 10 s logging interval, and the figures that matter for a logger left alone for months
# are reported at the end.
#
#   tools/soak.sh <bin-dir> [minutes] [baud]      (default 30 minutes, 19200 baud)
#
# <bin-dir> holds the built corvane and corvane-board. The run's folder is a new
# temporary folder (or $CORVANE_SOAK_FOLDER, emptied first); it is kept for a look
# afterwards. Reported: the service's share of one core (its own processor time over
# the wall time, so other programs on the machine do not count), its peak resident
# memory, resident memory and open descriptors after 5 s, after the first minute and at
# the end, the records written against the intervals that passed, the error-log lines
# and the lines on standard error, and the exit status after SIGTERM.
set -euo pipefail
. "$(dirname "$0")/board_folder.sh"

usage() { echo "usage: $0 <bin-dir> [minutes] [baud]" >&2; exit 2; }
[ $# -ge 1 ] && [ $# -le 3 ] || usage
[ -d "$1" ] || { echo "$0: $1 is not a folder" >&2; usage; }
bin=$(cd "$1" && pwd)
minutes=${2:-30}
baud=${3:-19200}
[[ "$minutes" =~ ^[0-9]+$ ]] && [ "$minutes" -ge 2 ] || { echo "$0: minutes must be a whole number from 2" >&2; exit 2; }
[[ "$baud" =~ ^[0-9]+$ ]] || { echo "$0: baud must be a whole number" >&2; exit 2; }
for program in corvane corvane-board; do
  [ -x "$bin/$program" ] || { echo "$0: $bin/$program is missing; build Corvane first" >&2; exit 2; }
done

if [ -n "${CORVANE_SOAK_FOLDER:-}" ]; then
  folder=$CORVANE_SOAK_FOLDER
  rm -rf "$folder"
  mkdir -p "$folder"
else
  folder=$(mktemp -d /tmp/corvane-soak.XXXXXX)
fi
folder=$(cd "$folder" && pwd)
port=7
cp "$bin/corvane" "$folder/corvane"

# 20 frames of up to 60 characters a second need more than 9600 baud.
write_board_config "$folder" "$port" 10 24 "$baud"

"$bin/corvane-board" --folder "$folder" --port "$port" --rate 20 --baud "$baud" > "$folder/board.out" 2>&1 &
board=$!
service=
cleanup() {
  [ -n "$service" ] && kill "$service" 2>/dev/null || true
  kill "$board" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -L "$folder/COM$port" ] && break
  sleep 0.1
done
[ -L "$folder/COM$port" ] || { echo "$0: corvane-board did not link $folder/COM$port" >&2; cat "$folder/board.out" >&2; exit 1; }

"$folder/corvane" --service 2> "$folder/service.err" &
service=$!
started=$(date +%s.%N)

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$service/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$service/status"; }
hwm_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$service/status"; }
fds() { ls "/proc/$service/fd" | wc -l; }
alive() { kill -0 "$service" 2>/dev/null || { echo "$0: the service ended early; see $folder/service.err" >&2; exit 1; }; }

sleep 5; alive
rss_start=$(rss_kb); fds_start=$(fds)
sleep 55; alive
rss_minute=$(rss_kb); fds_minute=$(fds)
rss_max_after_minute=$rss_minute
echo "elapsed_s,rss_kb,fds" > "$folder/samples.csv"
calc() { awk "BEGIN { printf \"%.3f\n\", ($1) }"; }
end=$(calc "$started + $minutes * 60")
while [ "$(calc "$(date +%s.%N) < $end")" = 1.000 ]; do
  sleep 10; alive
  rss=$(rss_kb)
  [ "$rss" -gt "$rss_max_after_minute" ] && rss_max_after_minute=$rss
  echo "$(calc "$(date +%s.%N) - $started"),$rss,$(fds)" >> "$folder/samples.csv"
done
alive
rss_end=$(rss_kb); fds_end=$(fds); peak=$(hwm_kb); used=$(cpu_ticks)
stopped=$(date +%s.%N)
wall=$(calc "$stopped - $started")

kill -TERM "$service"
status=0
wait "$service" || status=$?
service=

records=$(cat "$folder"/logs/P_*.txt 2>/dev/null | grep -c '^<T>' || true)
intervals=$(awk "BEGIN { print int($wall / 10) }")
errors=$(wc -l < "$folder/errorlog.txt" 2>/dev/null || echo 0)
stderr_lines=$(wc -l < "$folder/service.err")
exits=$(grep -c 'Wh' "$folder/logs/Whours.txt" 2>/dev/null || echo 0)

printf 'Soak run of corvane --service, %s minutes, 20 frames/s at %s baud, 10 s interval\n' "$minutes" "$baud"
printf '  folder                     %s\n' "$folder"
printf '  wall time                  %.0f s\n' "$wall"
printf '  processor time             %.2f s\n' "$(calc "$used / $ticks")"
printf '  share of one core          %.3f %%\n' "$(calc "100 * $used / $ticks / $wall")"
printf '  peak RSS                   %.1f MB\n' "$(calc "$peak / 1024")"
printf '  RSS at 5 s / 1 min / end   %s / %s / %s kB (highest after 1 min: %s kB)\n' \
  "$rss_start" "$rss_minute" "$rss_end" "$rss_max_after_minute"
printf '  open descriptors 5 s / 1 min / end   %s / %s / %s\n' "$fds_start" "$fds_minute" "$fds_end"
printf '  records written            %s (intervals passed: %s)\n' "$records" "$intervals"
printf '  error-log lines            %s\n' "$errors"
printf '  standard-error lines       %s\n' "$stderr_lines"
printf '  watt-hour entries          %s\n' "$exits"
printf '  exit status after SIGTERM  %s\n' "$status"
