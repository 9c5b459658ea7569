#!/usr/bin/env bash
# Nested-markup benchmark: time to lay out a page of 2,500 to 20,000 nested <b>, <div> and <table>
# elements with Qt alone (where it passes one second sets the pane's tag limit) and in the result
# pane, under Xvfb. Usage: bash bench/nested.sh. Not part of the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash bench/build-release.sh bench_nested
xvfb-run -a ./build-bench/bench/bench_nested
