#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run, test and package.
# Does nothing when they are all present. Runs apt-get as root, else through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev pkg-config make
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev fonts-dejavu-core
  libmp3lame-dev libmpg123-dev libfreetype-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils
  desktop-file-utils appstream
  build-essential dpkg-dev debhelper fakeroot lintian man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
