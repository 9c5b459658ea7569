#!/usr/bin/env bash
# Draws the folder graph from the #include lines of the program's own sources and fails if two
# folders include each other, directly or round a longer circle. tests/, fuzz/ and bench/ sit
# on top of everything and are left out.
set -euo pipefail
cd "$(dirname "$0")/.."

edges=$(git ls-files '*.cpp' '*.h' | grep -Ev '^(tests|fuzz|bench)/' | while read -r file; do
    from=${file%%/*}
    for to in $(grep -o '^#include "[^"/]*/' "$file" | sed 's/^#include "//; s#/$##'); do
        if [[ $to != "$from" ]]; then echo "$from $to"; fi
    done
done | sort -u)

# tsort orders the folders top first and names the members of every circle it meets.
order=$(tsort <<<"$edges" 2>&1 || true)
if grep -q 'loop' <<<"$order"; then
    echo "Folders that include each other:" >&2
    sed -n 's/^tsort: //p' <<<"$order" >&2
    exit 1
fi
echo "Folders, top to bottom:" $order
