#!/usr/bin/env bash
# Nested-markup benchmark: time to lay out a page of 2,500 to 20,000 nested <b>, <div> and <table>
# elements with Qt alone (where it passes one second sets the pane's tag limit) and in the result
# pane, under Xvfb. Usage: bash bench/nested.sh. Not part of the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DKELVARON_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --target bench_nested >/dev/null
xvfb-run -a ./build-bench/bench/bench_nested
