#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang and libFuzzer into build-fuzz/ and runs them.
#   bash scripts/fuzz.sh                  each target for a fixed number of runs, as the tests do
#   bash scripts/fuzz.sh TARGET SECONDS   one target (number, reports, textcheck, ...) for that many
#                                         seconds
# New inputs go to a temporary folder, never into the committed corpus in fuzz/corpus/; an input
# that breaks a property is printed and kept in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
runs=${FUZZ_RUNS:-100000}
# The readers unpack and parse a whole document for each input, far slower than the rest.
document_runs=${FUZZ_DOCUMENT_RUNS:-$((runs < 30000 ? runs : 30000))}

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/crashes

fuzz() { # target, then libFuzzer's limit
    local target=$1 limit=$2
    mkdir -p "$work/$target"
    echo "fuzz_$target: $limit"
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "build-fuzz/fuzz_$target" "$limit" -seed="${FUZZ_SEED:-1}" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/crashes/$target-" "$work/$target" "fuzz/corpus/$target" \
        >"$work/$target.log" 2>&1; then
        cat "$work/$target.log"
        echo "fuzz_$target broke a property or crashed; the input is in build-fuzz/crashes/" >&2
        return 1
    fi
    grep -E "^(Done|stat::new_units_added|tally:)" "$work/$target.log"
}

if (($# == 0)); then
    # Side by side, a core each; the logs are printed in order once both are done.
    pids=()
    for target in number reports textcheck documents; do
        limit=$runs
        [[ $target == documents ]] && limit=$document_runs
        fuzz "$target" "-runs=$limit" >"$work/$target.out" 2>&1 &
        pids+=($!)
    done
    failed=0
    for pid in "${pids[@]}"; do
        wait "$pid" || failed=1
    done
    cat "$work"/*.out
    exit "$failed"
else
    fuzz "$1" "-max_total_time=${2:?seconds}"
fi
