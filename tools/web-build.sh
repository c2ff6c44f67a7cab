#!/usr/bin/env bash
# Builds the game as a web page into build-web/ (or the folder given):
# index.html, kerbo.js, its worker, kerbo.wasm and kerbo.data, each with a
# gzipped copy that web/serve.py sends to browsers that take gzip.
# The libraries come from Debian's source packages, built once into
# build-web/cache (tools/web-libs.sh); the data folder is a desktop build's
# (build/data, made by `make build-game`, or KERBO_WEB_DATA).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-web}
mkdir -p "$out"
out=$(cd "$out" && pwd)
data=${KERBO_WEB_DATA:-$root/build/data}
export JOBS=${JOBS:-2}
[ -d "$data/Images" ] || { echo "web-build: no generated data folder at $data (make build-game makes it)" >&2; exit 1; }
command -v emcmake >/dev/null || { echo "web-build: emscripten is not installed (tools/install-deps.sh)" >&2; exit 1; }
# emcc's optimiser needs Debian's node modules (node-acorn), which a node
# other than Debian's own does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

cache=${KERBO_WEB_CACHE:-$out/cache}
"$root/tools/web-libs.sh" "$cache"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
prefix=$cache/prefix
# Only the libraries built for the browser, never the machine's own (also when
# the build configures itself again).
export EM_PKG_CONFIG_PATH=$prefix/lib/pkgconfig PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
emcmake cmake -S "$root" -B "$out/obj" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKERBO_BENCH=OFF -DKERBO_DATA=OFF -DKERBO_DEV_TOOLS=OFF \
  "-DCMAKE_FIND_ROOT_PATH=$prefix" "-DCMAKE_PREFIX_PATH=$prefix" "-DKERBO_WEB_DATA=$data" \
  ${CMAKE_FLAGS:-} "${launcher[@]}" >/dev/null
cmake --build "$out/obj" -j "$JOBS" --target kerbo_web

for file in kerbo.js kerbo.worker.js kerbo.wasm kerbo.data; do
  cp "$out/obj/web/$file" "$out/$file"
done
cp "$root/web/index.html" "$out/index.html"
for file in index.html kerbo.js kerbo.worker.js kerbo.wasm kerbo.data; do
  gzip -9 -n -k -f "$out/$file"
done
echo "web-build: the page is in $out ($(du -cb "$out"/*.gz | tail -1 | cut -f1) bytes to download); make web-serve serves it"
