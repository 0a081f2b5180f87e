#!/usr/bin/env bash
# sox's nearest equivalents of the effect measurements, as ratios to cp of the same file:
# bench/effects/run.sh BUILD_DIR DIRECTORY SECONDS
set -euo pipefail
build=$1
dir=$2
length=$3
"$build/bench/effects/effects_bench" "$dir" "$length"
command -v sox >/dev/null || { echo "sox is not installed: skipping sox's measurements"; exit 0; }
wave="$dir/ondrix-bench-effects-sox.wav"
out="$dir/ondrix-bench-effects-sox-out.wav"
trap 'rm -f "$wave" "$out"' EXIT
sox -n -r 44100 -c 2 -b 16 "$wave" synth "$length" sine 440 vol 0.5
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); awk "BEGIN { print $end - $start }"; }
cp_time=$(seconds cp --reflink=never "$wave" "$out")
ratio() { awk -v name="$1" -v t="$2" -v cp="$cp_time" 'BEGIN { printf "%s ratio=%.2f\n", name, t / cp }'; }
ratio sox_norm "$(seconds sox "$wave" "$out" norm)"
ratio sox_fade_in "$(seconds sox "$wave" "$out" fade t "$length")"
ratio sox_compand "$(seconds sox "$wave" "$out" compand 0,0 6:-70,-70,-20,-20,0,-10 0 0 0)"
ratio sox_reverse "$(seconds sox "$wave" "$out" reverse)"
