#!/usr/bin/env bash
# sox's equivalents of the editing measurements, as ratios to cp of the same file:
# bench/store/run.sh BUILD_DIR DIRECTORY SECONDS
set -euo pipefail
dir=$2
length=$3
command -v sox >/dev/null || { echo "sox is not installed: skipping sox's measurements"; exit 0; }
wave="$dir/ondrix-bench-sox.wav"
out="$dir/ondrix-bench-sox-out.wav"
minute="$dir/ondrix-bench-sox-minute.wav"
trap 'rm -f "$wave" "$out" "$minute"' EXIT
sox -n -r 44100 -c 2 -b 16 "$wave" synth "$length" sine 440
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); awk "BEGIN { print $end - $start }"; }
cp_time=$(seconds cp --reflink=never "$wave" "$out")
ratio() { awk -v name="$1" -v t="$2" -v cp="$cp_time" 'BEGIN { printf "%s ratio=%.2f\n", name, t / cp }'; }
ratio sox_delete_minute_start "$(seconds sox "$wave" "$out" trim 60)"
ratio sox_convert_16_to_8 "$(seconds sox "$wave" -b 8 "$out")"
sox "$wave" "$minute" trim 0 60
half=$((length / 2))
ratio sox_paste_minute_middle "$(seconds sox "|sox $wave -p trim 0 $half" "$minute" "|sox $wave -p trim $half" "$out")"
