#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run, test and package
# (with the argument web, also what the web page's build and test need).
# Does nothing when they are all present. Runs apt-get as root, else through sudo.
# Another apt or dpkg run (say, automatic updates) holding its lock is waited
# for, with a line saying so, up to ten minutes.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev pkg-config make
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev fonts-dejavu-core
  libmp3lame-dev libmpg123-dev libfreetype-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils openbox
  desktop-file-utils appstream
  build-essential dpkg-dev debhelper fakeroot lintian man-db
)
# The web page's build and its browser test (make web, make test) need these too.
[ "${1:-}" = web ] && packages+=(emscripten chromium)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

# The files apt and dpkg lock while they run; KERBO_APT_LOCKS stands in for them in tests.
read -r -a apt_locks <<<"${KERBO_APT_LOCKS:-/var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock /var/cache/apt/archives/lock}"
patience=600

# True when some process holds a lock on one of them. /proc/locks names a
# locked file by its device (major:minor in hex) and inode, and needs no root.
apt_busy() {
  local file dev id
  for file in "${apt_locks[@]}"; do
    [ -e "$file" ] || continue
    dev=$(stat -c %d "$file")
    id=$(printf '%02x:%02x:%s' $(((dev >> 8) & 0xfff)) $(((dev & 0xff) | ((dev >> 12) & 0xfff00))) \
      "$(stat -c %i "$file")")
    if awk -v id="$id" '{ for (i = 1; i <= NF; i++) if ($i == id) found = 1 } END { exit !found }' \
      /proc/locks; then
      return 0
    fi
  done
  return 1
}

wait_for_apt() {
  local waited=0
  while apt_busy; do
    if [ "$waited" -eq 0 ]; then
      echo "Another apt or dpkg run holds its lock (automatic updates?); waiting up to $((patience / 60)) minutes for it to finish..."
    fi
    if [ "$waited" -ge "$patience" ]; then
      echo "install-deps: apt or dpkg still holds its lock after $((patience / 60)) minutes; try again when it is done." >&2
      exit 100
    fi
    sleep 2
    waited=$((waited + 2))
  done
}

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
wait_for_apt
$sudo apt-get update -qq
wait_for_apt
# apt-get waits on the dpkg lock itself should another run take it meanwhile.
$sudo apt-get -o DPkg::Lock::Timeout=$patience install -y -qq --no-install-recommends "${missing[@]}"
