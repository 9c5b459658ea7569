#!/usr/bin/env bash
# Builds the named benchmarks in the release copy (build-bench), first installing what is
# missing. Usage: bash bench/build-release.sh target...
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DKELVARON_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --target "$@" >/dev/null
