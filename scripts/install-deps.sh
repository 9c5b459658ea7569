#!/usr/bin/env bash
# Installs, as root on Debian 12, whatever of Kelvaron's build and test needs is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libboost-math-dev libfontconfig-dev
    libpoppler-qt6-dev libquazip1-qt6-dev libxml2-dev
    xdg-utils
    fonts-liberation
    dpkg-dev file desktop-file-utils appstream
    clang libclang-rt-14-dev
    xvfb xauth openbox
    at-spi2-core dbus python3-pyatspi xclip
    emscripten chromium ca-certificates
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The page's tools: Node's npm (a Node.js that brings its own counts too).
command -v npm >/dev/null || missing+=(nodejs npm)
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The page's npm packages, exactly as the lockfile has them (none of the optional native ones).
if [[ ! -d web/node_modules || web/package-lock.json -nt web/node_modules ]]; then
    (cd web && npm ci --omit=optional --no-audit --no-fund --loglevel=error)
    touch web/node_modules
fi
