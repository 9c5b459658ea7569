#!/usr/bin/env bash
# Pastes each test window's copy (select all in the pane, copy) into LibreOffice Writer under
# Xvfb and prints what arrived. Not a test: it needs Writer (Debian's libreoffice-writer and
# python3-uno, installed here when missing). Usage: bash bench/writerpaste.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for p in libreoffice-writer python3-uno; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"
done
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON -DKELVARON_BUILD_BENCH=ON >/dev/null
cmake --build build --target bench_writerpaste >/dev/null

exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r display <&3
export DISPLAY=:$display QT_QPA_PLATFORM=xcb
profile=$(mktemp -d)
port=2083
soffice --norestore --nologo --nodefault -env:UserInstallation=file://$profile \
    "--accept=socket,host=localhost,port=$port;urp;" >/dev/null 2>&1 &
writer=$!
trap 'kill $writer $xvfb 2>/dev/null; rm -rf "$profile"' EXIT
/usr/bin/python3 bench/writerpaste.py build/bench/bench_writerpaste "$port"
