#!/usr/bin/env bash
# Configures and builds Kelvaron into build/ (tests included).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build --parallel "$(nproc)"
