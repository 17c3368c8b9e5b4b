#!/usr/bin/env bash
# Runs Corvane against the simulated measuring board, with no hardware at all.
#
#   tools/demo.sh <bin-dir> [corvane-board options...]
#
# <bin-dir> holds the built corvane and corvane-board. The demo program folder is
# <bin-dir>/../demo (or $CORVANE_DEMO_FOLDER): it gets a copy of corvane, because
# Corvane keeps its files beside the program, and a first-install configuration with
# the board on COM5, a 10 s logging interval started at once, RPM and wind speed
# shown, and the system voltage of the simulated bank (--bank, 24 V by default). Logs and the error log of earlier demos stay. Extra options go to the board,
# e.g. --fault-rate 0.05 or --bank 48 (see corvane-board --help). Closing Corvane
# stops the board. The page is on http://127.0.0.1:8080/ (or the port in
# $CORVANE_DEMO_WEB_PORT). $CORVANE_DEMO_PROGRAM, when set, is run instead of Corvane with the
# demo folder as its last argument (tools/screenshots.sh uses it).
set -euo pipefail
. "$(dirname "$0")/board_folder.sh"

usage() { echo "usage: $0 <bin-dir> [corvane-board options...]" >&2; exit 2; }
[ $# -ge 1 ] || usage
[ -d "$1" ] || { echo "$0: $1 is not a folder" >&2; usage; }
bin=$(cd "$1" && pwd)
shift
for program in corvane corvane-board; do
  [ -x "$bin/$program" ] || { echo "$0: $bin/$program is missing; build Corvane first" >&2; exit 2; }
done

# The system voltage follows the bank the board simulates (its last --bank wins), so the
# plot's volts scale fits the line; a bank the board refuses is left for it to report.
sv=24
previous=
for argument in "$@"; do
  if [ "$previous" = --bank ]; then
    sv=$argument
  fi
  case "$argument" in
    --bank=*) sv=${argument#--bank=} ;;
  esac
  previous=$argument
done
case "$sv" in
  12|24|48) ;;
  *) sv=24 ;;
esac

demo=${CORVANE_DEMO_FOLDER:-$bin/../demo}
mkdir -p "$demo"
demo=$(cd "$demo" && pwd)
port=5

# A fresh copy each time, replaced rather than overwritten in case an old demo still runs it.
rm -f "$demo/corvane"
cp "$bin/corvane" "$demo/corvane"

write_board_config "$demo" "$port" 10 "$sv" 9600
write_web_config "$demo" "${CORVANE_DEMO_WEB_PORT:-8080}"

# Now and then a damaged frame, so the error area has something to show; faults that
# upset the receive buffer for a whole interval are left to an explicit --faults.
"$bin/corvane-board" --folder "$demo" --port "$port" --bank 24 --rate 2 --baud 9600 \
  --faults checksum,zero-volts,missing-amps-close,lower-case,reversed-revs --fault-rate 0.01 "$@" &
board=$!
trap 'kill "$board" 2>/dev/null || true; wait "$board" 2>/dev/null || true' EXIT

# The board links COMn within moments; Corvane must find it when it opens the port.
for _ in $(seq 50); do
  [ -L "$demo/COM$port" ] && break
  if ! kill -0 "$board" 2>/dev/null; then
    wait "$board" && status=0 || status=$?
    echo "$0: corvane-board stopped (status $status)" >&2
    exit "$status"
  fi
  sleep 0.1
done
[ -L "$demo/COM$port" ] || { echo "$0: corvane-board did not link $demo/COM$port" >&2; exit 1; }

echo "Demo folder: $demo (logs in $demo/logs, errors in $demo/errorlog.txt)"
if [ -n "${CORVANE_DEMO_PROGRAM:-}" ]; then
  read -r -a program <<< "$CORVANE_DEMO_PROGRAM"
  "${program[@]}" "$demo"
else
  "$demo/corvane"
fi
