#!/usr/bin/env bash
# Installs what is missing, checks that no two folders include each other, builds Kelvaron and
# runs every test (headless), builds the page and runs its tests in headless Chromium, then runs
# the native tests again built with the sanitizers, and runs each fuzz target for a fixed number
# of inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-layers.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
bash scripts/web.sh --no-open
(cd web && node --test tests/)
bash scripts/test-sanitized.sh
bash scripts/fuzz.sh
