#!/usr/bin/env bash
# The Debian package as a player gets it: builds it from a copy of the source
# (tools/make-deb.sh, lintian included), installs it with apt, checks the
# installed manual page, desktop entry and metainfo, starts the game the way
# its desktop entry does from an empty folder in a virtual X server, checks
# the start menu and the player's new high-score table, closes the window,
# then purges the package and checks that none of its files is left.
#
#   InstallDeb.sh <source folder> <scratch folder> <close-window tool>
#
# The machine is left as it was: whatever happens, the packages this test
# installed (kerbo, and any it pulled in) are purged on the way out, and no
# other. Exit status 77 (skipped) when not root, when a tool is missing, when
# the source is not a git checkout, or when kerbo is already known to dpkg
# (then its files are not this test's to remove).
set -u

src=$1
out=$2
closer=$3
. "$(dirname "$0")/../system/XSession.sh"

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
need_tools apt-get dpkg-buildpackage dh lintian git man xvfb-run xdotool import convert \
    desktop-file-validate appstreamcli
git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1 || skip "$src is not a git checkout"
before=$(dpkg -l kerbo 2>&1)
if dpkg-query -W -f='${db:Status-Abbrev}' kerbo 2>/dev/null | grep -qv '^[up]n'; then
    skip "kerbo is already installed here: $(dpkg-query -W -f='${db:Status-Abbrev} ${Version}' kerbo)"
fi

export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -y -q -o DPkg::Lock::Timeout=300)
# Packages whose files are on the machine, installed or half so.
present_packages() {
    dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' | awk 'substr($1, 2, 1) !~ /[nc]/ { print $2 }'
}
installed=0
cleanup() {
    [ "$installed" -eq 1 ] || return
    # kerbo, and what its installation pulled in, where still there.
    local added
    added=$(present_packages | sort | comm -12 "$out/added.txt" - | tr '\n' ' ')
    if [ -n "$added" ]; then
        echo "--- purging on the way out: $added"
        "${apt[@]}" purge $added >"$out/purge-on-exit.log" 2>&1 || cat "$out/purge-on-exit.log"
    fi
}
trap cleanup EXIT

rm -rf "$out"
mkdir -p "$out/empty" "$out/home/data"

start=$SECONDS
JOBS=$(nproc) "$src/tools/make-deb.sh" "$out/package" || fail "the package build or its lintian check"
echo "package built and checked in $((SECONDS - start)) s"
debs=("$out"/package/kerbo_*_"$(dpkg --print-architecture)".deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single kerbo_*.deb in $out/package"

present_packages | sort >"$out/packages-before.txt"
echo kerbo >"$out/added.txt"
installed=1
"${apt[@]}" install "${debs[0]}" >"$out/install.log" 2>&1
status=$?
present_packages | sort | comm -13 "$out/packages-before.txt" - | sort -u - "$out/added.txt" -o "$out/added.txt"
[ "$status" -eq 0 ] || { cat "$out/install.log"; fail "apt-get install"; }
dpkg -L kerbo >"$out/files.txt" || fail "dpkg -L kerbo"
# What the package put there: its files and links, and its own folders (.../kerbo).
: >"$out/ours.txt"
while IFS= read -r path; do
    if [ -L "$path" ] || [ -f "$path" ] || case "$path" in */kerbo | */kerbo/*) true ;; *) false ;; esac; then
        echo "$path" >>"$out/ours.txt"
    fi
done <"$out/files.txt"
echo "the package installed $(wc -l <"$out/ours.txt") files, links and folders of its own"

data=/usr/share/games/kerbo
for f in /usr/games/kerbo $data/level1.txt $data/Highscores.txt /usr/share/man/man6/kerbo.6.gz \
         /usr/share/doc/kerbo/copyright /usr/share/icons/hicolor/256x256/apps/kerbo.png; do
    grep -qxF "$f" "$out/ours.txt" || fail "$f is not in the package"
done
desktop-file-validate /usr/share/applications/kerbo.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/nl.kerbo.Kerbo.metainfo.xml || fail "appstreamcli validate"
MANWIDTH=80 man --warnings kerbo >"$out/man.txt" 2>"$out/man-warnings.txt" || fail "man kerbo"
grep -q -- "--no-focus-pause" "$out/man.txt" || fail "man kerbo does not list the options"
[ ! -s "$out/man-warnings.txt" ] || { cat "$out/man-warnings.txt"; fail "the manual page has warnings"; }

# The command of the desktop entry, as a menu starts it.
command=$(sed -n 's/^Exec=//p' /usr/share/applications/kerbo.desktop)
[ -n "$command" ] || fail "the desktop entry has no command"

# shellcheck disable=SC2086 # the command is split into words, as a menu does
show_start_menu "$out" "$out/empty" "$closer" \
    env HOME="$out/home" XDG_DATA_HOME="$out/home/data" PATH="/usr/games:$PATH" SDL_AUDIODRIVER=dummy $command

check_picture "$out/startmenu.png" "start menu"
cmp "$data/Highscores.txt" "$out/home/data/kerbo/Highscores.txt" ||
    fail "the player's high-score table was not made from the shipped one"
[ -z "$(ls -A "$out/empty")" ] || fail "the game wrote into the folder it was started from"

"${apt[@]}" purge kerbo >"$out/purge.log" 2>&1 || { cat "$out/purge.log"; fail "apt-get purge"; }
left=0
while IFS= read -r path; do
    if [ -e "$path" ] || [ -L "$path" ]; then echo "left behind: $path"; left=1; fi
done <"$out/ours.txt"
[ "$left" -eq 0 ] || fail "the purge left files of the package behind"
[ "$(dpkg -l kerbo 2>&1)" = "$before" ] || fail "dpkg -l kerbo is not as it was: $(dpkg -l kerbo 2>&1)"
echo "PASSED in $((SECONDS - start)) s"
