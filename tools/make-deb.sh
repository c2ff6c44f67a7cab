#!/usr/bin/env bash
# Builds the game's Debian package from a copy of the source tree as git sees
# it (tracked files with their changes not yet committed, and new files git
# does not ignore), so that the build never writes into the source tree, then
# checks the package with lintian when lintian is installed.
#
#   tools/make-deb.sh <output folder>
#
# The output folder receives kerbo_<version>_<arch>.deb with its .changes,
# .buildinfo, the source package and the build log (kerbo.build.log).
# Exit status 2 when a tool is missing, 1 when the build or lintian fails.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <output folder>" >&2
    exit 2
fi
for tool in git dpkg-buildpackage dpkg-parsechangelog dh; do
    if ! command -v "$tool" >/dev/null; then
        echo "make-deb: $tool is not installed (tools/install-deps.sh installs it)" >&2
        exit 2
    fi
done

src=$(cd "$(dirname "$0")/.." && pwd)
if ! git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "make-deb: $src is not a git checkout; the package is built from the files git knows" >&2
    exit 2
fi
mkdir -p "$1"
out=$(cd "$1" && pwd)

# The package and the program must carry the same version.
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
project=$(sed -n 's/^project(kerbo VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
if [ "$version" != "$project" ]; then
    echo "make-deb: debian/changelog says $version, CMakeLists.txt says $project; add a changelog entry" >&2
    exit 1
fi

copy=$out/kerbo-$version
rm -rf "$copy" "$out"/kerbo_"$version"* "$out"/kerbo-dbgsym_"$version"*
mkdir -p "$copy"
# The files as they are in the work tree; tracked ones deleted there are left out.
git -C "$src" ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
    if [ -e "$src/$f" ] || [ -L "$src/$f" ]; then printf '%s\0' "$f"; fi
done | tar -C "$src" --null --no-recursion -T - -cf - | tar -C "$copy" -xf -

# A make that runs this script must not hand its job server down.
unset MAKEFLAGS MFLAGS MAKELEVEL
log=$out/kerbo.build.log
echo "Building the package in $copy (log: $log)"
start=$SECONDS
if ! (cd "$copy" && dpkg-buildpackage -us -uc -J"${JOBS:-auto}") >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "make-deb: the package build failed; the whole log is $log" >&2
    exit 1
fi
echo "Built in $((SECONDS - start)) s"
rm -rf "$copy"

arch=$(dpkg-architecture -qDEB_HOST_ARCH)
ls -l "$out/kerbo_${version}_${arch}.deb"
if command -v lintian >/dev/null; then
    # Lintian says it should not run as root; its checks are the same.
    if ! lintian --fail-on error,warning "$out/kerbo_${version}_${arch}.changes" 2> >(grep -v "root privileges" >&2); then
        echo "make-deb: lintian found errors or warnings" >&2
        exit 1
    fi
    echo "lintian: no errors or warnings"
else
    echo "make-deb: lintian is not installed; the package was not checked" >&2
fi
