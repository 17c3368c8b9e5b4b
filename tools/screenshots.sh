#!/usr/bin/env bash
# Saves the README's pictures: the main window with live values, the log viewer with a
# day loaded and zoomed, the setup dialog, the calibration dialog, and the energy history's
# month and year views (over a year of sample day files written into the demo folder).
#
#   tools/screenshots.sh <bin-dir> [out-dir]
#
# <bin-dir> holds the built corvane, corvane-board and corvane-screenshots; the pictures
# go to out-dir (default: docs/). The windows are drawn under a virtual X server (Xvfb,
# which scripts/install-deps.sh --demo installs), in a demo folder of their own beside
# <bin-dir>, with the simulated board running as in tools/demo.sh.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] && [ -d "$1" ] || { echo "usage: $0 <bin-dir> [out-dir]" >&2; exit 2; }
bin=$(cd "$1" && pwd)
out=${2:-$here/../docs}
mkdir -p "$out"
out=$(cd "$out" && pwd)
[ -x "$bin/corvane-screenshots" ] || { echo "$0: $bin/corvane-screenshots is missing; build it first" >&2; exit 2; }
command -v xvfb-run >/dev/null || { echo "$0: xvfb-run is missing: run scripts/install-deps.sh --demo" >&2; exit 2; }

export CORVANE_DEMO_FOLDER=$bin/../screenshots
export CORVANE_DEMO_PROGRAM="$bin/corvane-screenshots --out $out"
# A fixed seed and no faults: the same pictures each time, without error lines.
xvfb-run -a -s "-screen 0 1600x1200x24" "$here/demo.sh" "$bin" --seed 7 --fault-rate 0
