#!/usr/bin/env bash
# The playback engine's cost: bench/audio/run.sh BUILD_DIR DIRECTORY SECONDS (SECONDS is not used: the
# measurement always plays one minute).
set -euo pipefail
"$1/bench/audio/audio_bench" "$2"
