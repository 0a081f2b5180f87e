#!/usr/bin/env bash
# ondrix-cli convert of the test sound against cp and sox, as ratios to cp of the same file:
# bench/fileformat/run.sh BUILD_DIR DIRECTORY SECONDS
# Each command runs three times after a sync (so no write-back of an earlier run lands in it); the best
# time counts. "convert" reads the input in place; "convert_temp_store" first loads it into a temporary
# store, as an editing verb does.
#
# Then ondrix-cli info on unfinished recordings ("data" size 0 followed by zero bytes, as a crashed
# recorder leaves them) of 635 MB and 4 GB, made sparse so that they cost no disk space.
set -euo pipefail
cli="$1/src/cli/ondrix-cli"
dir=$2
length=$3
[ -x "$cli" ] || { echo "ondrix-cli is not built: skipping the convert measurements"; exit 0; }
wave="$dir/ondrix-bench-convert.wav"
out="$dir/ondrix-bench-convert-out.wav"
unfinished="$dir/ondrix-bench-unfinished.wav"
trap 'rm -f "$wave" "$out" "$unfinished"' EXIT

# 44.1 kHz 16-bit stereo noise: a plain 44-byte header and random samples.
bytes=$((length * 44100 * 4))
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }
{
    printf 'RIFF'; le32 $((bytes + 36)); printf 'WAVEfmt '; le32 16
    printf '\x01\x00\x02\x00'; le32 44100; le32 176400; printf '\x04\x00\x10\x00data'; le32 "$bytes"
    head -c "$bytes" /dev/urandom
} >"$wave"

best() {
    local best="" start end t
    for _ in 1 2 3; do
        rm -f "$out"
        sync
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        t=$(awk "BEGIN { print $end - $start }")
        best=$(awk -v a="$t" -v b="${best:-$t}" 'BEGIN { print (a < b) ? a : b }')
    done
    echo "$best"
}
cp_time=$(best cp --reflink=never "$wave" "$out")
report() { awk -v name="$1" -v t="$2" -v cp="$cp_time" 'BEGIN { printf "%s seconds=%.2f ratio=%.2f\n", name, t, t / cp }'; }
report cp "$cp_time"
report convert "$(best "$cli" convert "$wave" "$out")"
report convert_temp_store "$(best "$cli" convert --storage temp "$wave" "$out")"
if command -v sox >/dev/null; then
    report sox_convert "$(best sox "$wave" "$out")"
else
    echo "sox is not installed: skipping sox's measurement"
fi
cmp -s <("$cli" convert "$wave" /dev/stdout) "$wave" || { echo "convert changed the file"; exit 1; }

for size in 635040044 4294967295; do
    {
        printf 'RIFF'; le32 0; printf 'WAVEfmt '; le32 16
        printf '\x01\x00\x02\x00'; le32 44100; le32 176400; printf '\x04\x00\x10\x00data'; le32 0
    } >"$unfinished"
    truncate -s "$size" "$unfinished"
    start=$(date +%s.%N)
    "$cli" info "$unfinished" >/dev/null
    end=$(date +%s.%N)
    awk -v bytes="$size" -v t="$(awk "BEGIN { print $end - $start }")" \
        'BEGIN { printf "info_unfinished bytes=%s seconds=%.3f\n", bytes, t }'
done
