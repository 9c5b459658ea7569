#!/usr/bin/env bash
# Start-up benchmark: time from process start until the first window is painted, and peak
# memory, for Kelvaron's main menu and for a bare Qt Widgets window, interleaved, under Xvfb.
# A second yardstick, the bare window showing one label, shows what Qt's one-time loading of
# the font database costs any window that shows text.
# Usage: bash bench/startup.sh [runs]   (default 15). Not part of the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}

if [[ "${KELVARON_BENCH_INNER:-}" != 1 ]]; then
    bash bench/build-release.sh bench_startup_kelvaron bench_startup_bare bench_startup_label
    KELVARON_BENCH_INNER=1 exec xvfb-run -a bash "$0" "$runs"
fi

measure() { # program -> "milliseconds peak_kB"
    local start end_and_peak
    start=$(date +%s%N)
    end_and_peak=$("$1" 2>/dev/null)
    awk -v s="$start" -v e="${end_and_peak% *}" -v m="${end_and_peak#* }" \
        'BEGIN { printf "%.2f %d\n", (e - s) / 1e6, m }'
}

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

: >/tmp/kelvaron-bench-k
: >/tmp/kelvaron-bench-b
: >/tmp/kelvaron-bench-l
"./build-bench/bench/bench_startup_bare" >/dev/null 2>&1 # warm the caches once for both
"./build-bench/bench/bench_startup_kelvaron" >/dev/null 2>&1
for ((i = 0; i < runs; i++)); do
    measure ./build-bench/bench/bench_startup_kelvaron >>/tmp/kelvaron-bench-k
    measure ./build-bench/bench/bench_startup_bare >>/tmp/kelvaron-bench-b
    measure ./build-bench/bench/bench_startup_label >>/tmp/kelvaron-bench-l
done

med() { cut -d' ' -f"$2" "/tmp/kelvaron-bench-$1" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
kt=$(med k 1) bt=$(med b 1) lt=$(med l 1)
km=$(med k 2) bm=$(med b 2) lm=$(med l 2)
echo "runs each: $runs (interleaved)"
echo "start-up to first paint, median: kelvaron ${kt} ms, bare window ${bt} ms, bare window with a label ${lt} ms"
echo "  ratio to the bare window $(ratio "$kt" "$bt"), to the window with a label $(ratio "$kt" "$lt") (bar 1.10)"
echo "peak memory, median: kelvaron ${km} kB, bare window ${bm} kB, bare window with a label ${lm} kB"
echo "  ratio to the bare window $(ratio "$km" "$bm"), to the window with a label $(ratio "$km" "$lm") (bar 1.05)"
