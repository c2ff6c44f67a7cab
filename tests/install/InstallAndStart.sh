#!/usr/bin/env bash
# Installs the build into a scratch prefix, checks what went where, validates
# the desktop entry and the metainfo, then starts the installed game from an
# unrelated folder in a virtual X server: it must find its data, show the
# start menu, make the player's high-score table from the shipped one, and
# end cleanly when its window is closed.
#
#   InstallAndStart.sh <build folder> <scratch folder> <close-window tool>
#
# Exit status 77 (skipped) when a tool is missing.
set -u

build=$1
out=$2
closer=$3

for tool in xvfb-run xdotool import convert desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done

fail() { echo "FAILED: $*"; exit 1; }

rm -rf "$out"
mkdir -p "$out/elsewhere" "$out/home"
prefix=$out/prefix
cmake --install "$build" --prefix "$prefix" >"$out/install.log" || { cat "$out/install.log"; fail "cmake --install"; }

share=$prefix/share
for f in bin/kerbo share/kerbo/level1.txt share/kerbo/level10.txt share/kerbo/Images/Wall.bmp \
         share/kerbo/Music/Theme.MP3 share/kerbo/Highscores.txt share/applications/kerbo.desktop \
         share/metainfo/nl.kerbo.Kerbo.metainfo.xml; do
    [ -f "$prefix/$f" ] || fail "$f was not installed"
done
[ -L "$share/kerbo/images" ] || fail "the images link was not installed as a link"
for size in 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/kerbo.png
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size}x${size} icon"
done
printf '      3000 OSKA      \r\n      2000 KAT       \r\n      1000 DOREL     \r\n' >"$out/start.txt"
cmp -s "$out/start.txt" "$share/kerbo/Highscores.txt" || fail "the shipped table is not the starting one"

desktop-file-validate "$share/applications/kerbo.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/nl.kerbo.Kerbo.metainfo.xml" || fail "appstreamcli validate"

session=$(cat <<'INNER'
set -u
kerbo=$1
out=$2
closer=$3
cd "$out/elsewhere"
HOME="$out/home" XDG_DATA_HOME= SDL_AUDIODRIVER=dummy "$kerbo" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!
fail() { echo "FAILED: $*"; kill "$pid" 2>/dev/null; exit 1; }
wid=""
for _ in $(seq 1 100); do
    wid=$(xdotool search --name "KERBO anno 2011" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window opened"
    sleep 0.1
done
[ -n "$wid" ] || fail "no window titled KERBO anno 2011"
for _ in $(seq 1 40); do
    sleep 0.5
    import -window root "$out/startmenu.png" || fail "no screenshot"
    [ "$(convert "$out/startmenu.png" -format "%k" info:)" -gt 16 ] && break
done
"$closer" "$wid" || fail "could not ask the window to close"
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after its window was closed"
wait "$pid" || fail "the program ended with status $?"
exit 0
INNER
)

xvfb-run -a -s "-screen 0 800x500x24" bash -c "$session" session "$prefix/bin/kerbo" "$out" "$closer"
status=$?
echo "--- program output"; cat "$out/stdout.txt" 2>/dev/null
echo "--- program errors"; cat "$out/stderr.txt" 2>/dev/null
[ "$status" -eq 0 ] || exit 1

# The start menu is on the screen: many colours, and its buttons are not black.
colours=$(convert "$out/startmenu.png" -format "%k" info:)
echo "start menu: $colours colours"
[ "$colours" -gt 16 ] || fail "the start menu is nearly one colour"
for p in "185 97" "185 417"; do
    set -- $p
    v=$(convert "$out/startmenu.png" -format "%[pixel:p{$1,$2}]" info:)
    case "$v" in "black"|"srgb(0,0,0)"|"rgb(0,0,0)"|"gray(0)") fail "the start menu is black at ($1, $2)" ;; esac
done
cmp -s "$out/start.txt" "$out/home/.local/share/kerbo/Highscores.txt" ||
    fail "the player's high-score table was not made from the shipped one"
[ ! -e "$out/elsewhere/Highscores.txt" ] || fail "a table was written in the working directory"
echo "PASSED"
