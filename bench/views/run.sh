#!/usr/bin/env bash
# The waveform display's cost: bench/views/run.sh BUILD_DIR DIRECTORY SECONDS (one hour of stereo by
# default, and 32 tracks for a sixth of it).
set -euo pipefail
[ -x "$1/bench/views/views_bench" ] || exit 0
QT_QPA_PLATFORM=offscreen "$1/bench/views/views_bench" "$2" "$3"
