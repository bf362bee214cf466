#!/usr/bin/env bash
# Fails when MARKER is missing from the program that must carry it, or is in any of the files
# or folders that must not.
#   not_shipped.sh MARKER CARRIER SHIPPED...
set -euo pipefail
marker=$1 carrier=$2
shift 2
grep -q -a "$marker" "$carrier" || { echo "not_shipped: $carrier lacks \"$marker\"" >&2; exit 1; }
for shipped in "$@"; do
    [ -e "$shipped" ] || { echo "not_shipped: no $shipped" >&2; exit 1; }
done
if found=$(grep -r -l -a "$marker" "$@"); then
    echo "not_shipped: \"$marker\" is in:" >&2
    echo "$found" >&2
    exit 1
fi
echo "not_shipped: \"$marker\" is in $(basename "$carrier") only"
