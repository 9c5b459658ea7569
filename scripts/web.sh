#!/usr/bin/env bash
# Builds the text check's page into build-web/ and opens it in the default browser; --no-open
# only builds. KELVARON_ENGINE_JS=file.js uses that engine script instead of building one.
set -euo pipefail
cd "$(dirname "$0")/.."

open=1
[[ "${1:-}" == --no-open ]] && open=0

engine="${KELVARON_ENGINE_JS:-}"
if [[ -z "$engine" ]]; then
  # Debian's emscripten finds its acorn among Debian's Node modules, whichever node runs it.
  export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
  emcmake cmake -S web/engine -B build-web-engine -DCMAKE_BUILD_TYPE=Release
  cmake --build build-web-engine -j2
  engine=build-web-engine/kelvaron-engine.js
fi

installed=web/node_modules/.package-lock.json
if [[ ! -f $installed || web/package-lock.json -nt $installed ]]; then
  (cd web && npm ci --omit=optional)
fi

out=build-web
rm -rf "$out"
mkdir -p "$out/vendor"
cp web/index.html web/style.css web/marks.js web/app.js web/readers*.js "$out/"
cp web/node_modules/pdfjs-dist/build/pdf.min.js web/node_modules/pdfjs-dist/build/pdf.worker.min.js \
  "$out/vendor/"
cp web/node_modules/fflate/umd/index.js "$out/vendor/fflate.js"
cp toolkit/pictures/kelvaron.svg "$out/icon.svg"

# The worker starts from a Blob of this text: Chromium starts no worker from a file:// URL.
node -e '
  const fs = require("fs");
  const [engine, worker, out] = process.argv.slice(1);
  const source = fs.readFileSync(engine, "utf8") + "\n" + fs.readFileSync(worker, "utf8");
  fs.writeFileSync(out, "self.kelvaronWorkerSource = " + JSON.stringify(source) + ";\n");
' "$engine" web/worker.js "$out/worker-source.js"

echo "Built $out/index.html"
if ((open)); then
  xdg-open "$out/index.html"
fi
