#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
#   tools/test.sh              the normal build with every test
#   tools/test.sh --sanitize   the core tests built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/check_layers.sh"

build="$root/build"
options=()
if [ "${1:-}" = "--sanitize" ]; then
    build="$root/build-sanitize"
    options=(-DONDRIX_SANITIZE=ON -DONDRIX_CORE_ONLY=ON -DONDRIX_BENCH=OFF)
fi
"$root/tools/build.sh" "$build" "${options[@]}"

# Audio tests play through a private user-space sound server; it ends with this script.
if [ -x "$root/tools/sound-server.sh" ]; then
    # shellcheck source=/dev/null
    source "$root/tools/sound-server.sh"
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" --timeout 300
