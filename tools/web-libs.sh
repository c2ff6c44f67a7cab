#!/usr/bin/env bash
# Builds SDL2, FreeType, SDL2_ttf and SDL2_mixer for the browser from Debian's
# own source packages, once, into a cache folder (default build-web/cache).
# The machine's apt lists stay as they are: a private deb-src list under the
# cache names the machine's own mirror. Nothing else is downloaded.
set -euo pipefail

cache=${1:-build-web/cache}
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
prefix=$cache/prefix
stamp=$prefix/.built
[ -f "$stamp" ] && exit 0

jobs=${JOBS:-2}
src=$cache/src
apt=$cache/apt
mkdir -p "$src" "$apt/lists/partial"

# The machine's own Debian mirror, read from its apt sources.
uri=$(sed -n 's/^URIs: //p' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v security | head -1 || true)
if [ -z "$uri" ]; then
  uri=$(awk '$1 == "deb" && $0 !~ /security/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
fi
[ -n "$uri" ] || { echo "web-libs: no Debian mirror found in the machine's apt sources" >&2; exit 1; }
printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
  "$uri" >"$apt/src.sources"
aptopts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt" -o "Dir::State::Lists=$apt/lists"
         -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache= -o Debug::NoLocking=1)

if ! ls "$src"/libsdl2_*.dsc "$src"/libsdl2-ttf_*.dsc "$src"/libsdl2-mixer_*.dsc "$src"/freetype_*.dsc >/dev/null 2>&1; then
  echo "web-libs: fetching the source packages from $uri"
  apt-get "${aptopts[@]}" -qq update
  (cd "$src" && apt-get "${aptopts[@]}" -qq source --download-only libsdl2 libsdl2-ttf libsdl2-mixer freetype)
fi

# Unpacks one source package's upstream tarball into $src/<name>.
unpack() {
  local name=$1 tarball
  [ -d "$src/$name" ] && return 0
  tarball=$(ls "$src/$2"_*.orig.tar.* | grep -v '\.asc$' | head -1)
  mkdir -p "$src/$name.tmp"
  tar -xf "$tarball" -C "$src/$name.tmp" --strip-components=1
  mv "$src/$name.tmp" "$src/$name"
}
unpack sdl2 libsdl2
unpack freetype freetype
unpack sdl2_ttf libsdl2-ttf
unpack sdl2_mixer libsdl2-mixer

# SDL 2.26's audio asks the page for its sample rate from the calling thread;
# the game opens audio from a worker, where only the main thread has the
# audio context.
sed -i 's/this->spec.freq = EM_ASM_INT_V({/this->spec.freq = MAIN_THREAD_EM_ASM_INT({/' \
  "$src/sdl2/src/audio/emscripten/SDL_emscriptenaudio.c"

common=(-G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_INSTALL_PREFIX=$prefix" "-DCMAKE_PREFIX_PATH=$prefix"
        "-DCMAKE_FIND_ROOT_PATH=$prefix" -DBUILD_SHARED_LIBS=OFF -DCMAKE_C_FLAGS=-pthread -DCMAKE_CXX_FLAGS=-pthread)
lib() {
  local name=$1
  shift
  echo "web-libs: building $name"
  rm -rf "$cache/build/$name"
  emcmake cmake -S "$src/$name" -B "$cache/build/$name" "${common[@]}" "$@" >"$cache/$name.log" 2>&1 ||
    { tail -30 "$cache/$name.log" >&2; exit 1; }
  cmake --build "$cache/build/$name" -j "$jobs" >>"$cache/$name.log" 2>&1 || { tail -30 "$cache/$name.log" >&2; exit 1; }
  cmake --install "$cache/build/$name" >>"$cache/$name.log" 2>&1
}
lib sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_PTHREADS=ON
lib freetype -DFT_DISABLE_ZLIB=TRUE -DFT_DISABLE_BZIP2=TRUE -DFT_DISABLE_PNG=TRUE -DFT_DISABLE_HARFBUZZ=TRUE \
  -DFT_DISABLE_BROTLI=TRUE
lib sdl2_ttf -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF
lib sdl2_mixer -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_CMD=OFF \
  -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF \
  -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF -DSDL2MIXER_WAVE=ON
# Their CMake builds install no pkg-config files; the game's build finds
# every library through one.
pc() {
  printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: %s\nDescription: %s for the browser\nVersion: %s\nRequires: %s\nLibs: -L${libdir} -l%s\nCflags: -I${includedir}/SDL2\n' \
    "$prefix" "$1" "$1" "$2" "$3" "$1" >"$prefix/lib/pkgconfig/$1.pc"
}
pc SDL2_ttf 2.20.1 "sdl2 freetype2"
pc SDL2_mixer 2.6.2 sdl2
touch "$stamp"
