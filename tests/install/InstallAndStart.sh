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
. "$(dirname "$0")/../system/XSession.sh"

need_tools xvfb-run xdotool import convert desktop-file-validate appstreamcli

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

show_start_menu "$out" "$out/elsewhere" "$closer" \
    env HOME="$out/home" XDG_DATA_HOME= SDL_AUDIODRIVER=dummy "$prefix/bin/kerbo"

# The start menu is on the screen: many colours, and its buttons are not black.
colours=$(convert "$out/startmenu.png" -format "%k" info:)
echo "start menu: $colours colours"
[ "$colours" -gt 16 ] || fail "the start menu is nearly one colour"
for p in "185 97" "185 417"; do not_black "$out/startmenu.png" "start menu" $p; done
cmp -s "$out/start.txt" "$out/home/.local/share/kerbo/Highscores.txt" ||
    fail "the player's high-score table was not made from the shipped one"
[ ! -e "$out/elsewhere/Highscores.txt" ] || fail "a table was written in the working directory"
echo "PASSED"
