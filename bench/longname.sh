#!/usr/bin/env bash
# Long-name benchmark: time from the click on "Show Result Text" to the shown page with a
# 100,000-character name, on each test window, under Xvfb. The bar is one second.
# Usage: bash bench/longname.sh [clicks]   (default 5). Not part of the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash bench/build-release.sh bench_longname
xvfb-run -a ./build-bench/bench/bench_longname "${1:-5}"
