#!/usr/bin/env bash
# Draws the folder graph from the #include lines of the program's own sources and fails if two
# folders include each other, directly or round a longer circle. tests/, fuzz/ and bench/ sit
# on top of everything and are left out.
set -euo pipefail
cd "$(dirname "$0")/.."

# The tree is read as it lies, so that a copy without git (a release tarball) is checked too;
# build folders and hidden ones hold no sources of the program's own.
sources=$(find . \( -path './.*' -o -path './build*' -o -path ./tests -o -path ./fuzz -o -path ./bench \) \
    -prune -o -path './*/*' -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's#^\./##' | LC_ALL=C sort)

# The engine is the floor: standard C++ and Boost only, so that the same code runs in the browser.
# Nothing of Qt and no other folder of the program's may appear in it.
if grep -nE '^#include (<Q|"[^"]*/)|\bQ[A-Z][A-Za-z]+\b|\bqsizetype\b|\bqreal\b' engine/*.h engine/*.cpp |
    grep -v '#include "engine/'; then
    echo "engine/ must hold no Qt and include nothing of the program's but engine/ (above)" >&2
    exit 1
fi

edges=$(while read -r file; do
    from=${file%%/*}
    for to in $(grep -o '^#include "[^"/]*/' "$file" | sed 's/^#include "//; s#/$##'); do
        if [[ $to != "$from" ]]; then echo "$from $to"; fi
    done
done <<<"$sources" | sort -u)

# tsort orders the folders top first and names the members of every circle it meets.
order=$(tsort <<<"$edges" 2>&1 || true)
if grep -q 'loop' <<<"$order"; then
    echo "Folders that include each other:" >&2
    sed -n 's/^tsort: //p' <<<"$order" >&2
    exit 1
fi
echo "Folders, top to bottom:" $order
