#!/usr/bin/env bash
# Checks that every file under src/ includes only its own layer and lower ones.
# The order, lowest first; cli sits on the core layers beside the UI layers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/src"

order=(resources base store fileformat process controls effects audio settings document views app)
declare -A rank
for i in "${!order[@]}"; do
    rank[${order[$i]}]=$i
done
# ondrix-cli may use every core layer and the settings' pure code, but no UI layer.
rank[cli]=${rank[audio]}

status=0
while IFS= read -r -d '' file; do
    layer=${file%%/*}
    [ -n "${rank[$layer]+x}" ] || { echo "$file: not in a known layer"; status=1; continue; }
    mine=${rank[$layer]}
    line_no=0
    while IFS= read -r line; do
        line_no=$((line_no + 1))
        [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
        target=${BASH_REMATCH[1]}
        if [[ $target != */* ]]; then
            continue # a file of the same folder
        fi
        other=${target%%/*}
        [ -n "${rank[$other]+x}" ] || continue # not a layer folder (a generated or third-party path)
        allowed=$mine
        # cli may also reach the pure settings code.
        if [ "$layer" = cli ] && [[ $target == settings/core/* ]]; then
            continue
        fi
        if [ "$other" = cli ] && [ "$layer" != cli ]; then
            echo "$file:$line_no: includes $target (cli is a front end, nothing includes it)"
            status=1
        elif [ "${rank[$other]}" -gt "$allowed" ]; then
            echo "$file:$line_no: includes $target ($layer may not include the higher layer $other)"
            status=1
        fi
    done < "$file"
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's|^\./||')
[ $status -eq 0 ] && echo "Layer order holds."
exit $status
