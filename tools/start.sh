#!/usr/bin/env bash
# Builds the editor and starts it: tools/start.sh [ondrix arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" "$root/build"
if [ ! -x "$root/build/src/app/ondrix" ]; then
    echo "The editor is not built yet: the core library and ondrix-cli are in $root/build."
    exit 0
fi
# without a file the editor opens its built-in sound, so that there is something to hear at once
if [ $# -eq 0 ]; then
    set -- /iWave Wave
fi
exec "$root/build/src/app/ondrix" "$@"
