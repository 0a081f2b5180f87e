#!/usr/bin/env bash
# Runs the benchmarks on this machine: bench/run.sh [DIRECTORY [SECONDS]]
# DIRECTORY holds the temporary data (default: the system temporary directory); SECONDS is the length of
# the test sound (default one hour of 44.1 kHz 16-bit stereo, 635 MB).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" "$root/build-bench" >/dev/null
dir=${1:-${TMPDIR:-/tmp}}
length=${2:-3600}
"$root/build-bench/bench/store/store_bench" "$dir" "$length"
for extra in "$root"/bench/*/run.sh; do
    [ -x "$extra" ] && "$extra" "$root/build-bench" "$dir" "$length"
done
