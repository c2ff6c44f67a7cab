#!/usr/bin/env bash
# A session played with the keyboard alone in a virtual X server, recorded:
# the start menu, play, the story, a name typed with a mistake taken back, a
# little play, P to pause and P to resume, P again and the arrows to quit to
# the menu, M (a note over the picture says so, and goes), then the arrows to
# quit. The mouse is never touched. Also checks what comes with it: the
# window's icon, a --scale too large for the screen, the settings kept, and
# a replay with other settings that plays the recorded game all the same,
# and the game kept to be watched again, which replays alone just as exactly.
#
#   KeyboardSession.sh <kerbo program> <data folder> <folder for screenshots and logs>
#
# Exit status 77 (skipped) when the data folder or the X tools are missing.
set -u

kerbo=$1
data=$2
out=$3
. "$(dirname "$0")/XSession.sh"

need_data "$data"
need_tools xvfb-run xdotool xprop import convert compare

rm -rf "$out"
mkdir -p "$out/run" "$out/replay" "$out/config/kerbo" "$out/other/kerbo"
cp -r "$data/." "$out/run/"
cp -r "$data/." "$out/replay/"
# The player's settings: hard, and a scale the 800 x 500 screen can't hold.
printf 'scale = 3\ndifficulty = hard\n' >"$out/config/kerbo/settings"

session=$(cat <<'INNER'
kerbo=$1
out=$2
cd "$out/run"
XDG_CONFIG_HOME="$out/config" XDG_DATA_HOME="$out/data" SDL_AUDIODRIVER=dummy "$kerbo" --record "$out/keys.kerborec" \
    >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!
find_window
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
# The icon is set once the renderer is chosen, a moment after the window appears.
for _ in $(seq 1 50); do
    xprop -id "$wid" _NET_WM_ICON 2>/dev/null | grep -q "Icon (64 x 64)" && break
    sleep 0.1
done
xprop -id "$wid" _NET_WM_ICON | grep -q "Icon (64 x 64)" || fail "the window has no icon of its own"
wait_for_picture "$out/startmenu.png"
sleep 0.5
keys() { xdotool key --delay 150 "$@"; sleep 0.6; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

keys Down Return                  # the first button: play
keys x                            # past the story
keys k b q BackSpace o Return     # the name KBO
sleep 3                           # the level card
hold Right 1
hold p 0.4                        # held a moment: play looks at P once a frame
sleep 0.6
import -window root "$out/pause.png" || fail "no screenshot of the pause screen"
keys p                            # P resumes
import -window root "$out/resumed.png" || fail "no screenshot after resuming"
hold p 0.4
sleep 0.6
keys Down Return                  # from "resume" (still under the pointer from "play"): quit to the menu
import -window root "$out/menu-again.png" || fail "no screenshot of the menu"
xdotool key m
sleep 0.3
import -window root "$out/note.png" || fail "no screenshot of the note"
sleep 1.5
import -window root "$out/note-gone.png" || fail "no screenshot after the note"
keys Up Up Up Up Up Return        # from the second row up round, past the settings', the editor's and the packs' buttons, to quit
ends_at_quit
exit 0
INNER
)

in_x_server "$session" "$kerbo" "$out"
show_program_output "$out" $?

grep -qx "Thanks for playing the game." "$out/stdout.txt" || fail "no farewell line"
grep -q "opens at scale 1" "$out/stderr.txt" || fail "nothing said about the scale too large"
pixels() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# In a region (geometry WxH+X+Y) of two screenshots: the pixels that differ.
region() {
    convert "$1" -crop "$3" +repage "$out/crop1.png" && convert "$2" -crop "$3" +repage "$out/crop2.png" &&
        pixels "$out/crop1.png" "$out/crop2.png"
}
more() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
more "$(pixels "$out/startmenu.png" "$out/pause.png")" 40000 || fail "P did not pause"
more "$(pixels "$out/pause.png" "$out/resumed.png")" 40000 || fail "P did not resume"
# The start menu again, perhaps with the button under the pointer lit.
[ "$(pixels "$out/startmenu.png" "$out/menu-again.png")" -lt 25000 ] || fail "the arrows did not quit to the menu"
note=160x40+320+30
more "$(region "$out/menu-again.png" "$out/note.png" $note)" 300 || fail "M showed no note"
[ "$(region "$out/menu-again.png" "$out/note-gone.png" $note)" -eq 0 ] || fail "the note stayed"

settings=$out/config/kerbo/settings
grep -qx "difficulty = hard" "$settings" && grep -qx "sound = off" "$settings" && grep -qx "scale = 3" "$settings" ||
    { cat "$settings"; fail "the settings were not kept"; }
grep -qx "setting difficulty hard" "$out/keys.kerborec" || fail "the recording does not name its difficulty"

# Another player's settings (easy): the replay plays the hard game it recorded.
printf 'difficulty = easy\n' >"$out/other/kerbo/settings"
cd "$out/replay" || exit 1
XDG_CONFIG_HOME="$out/other" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$kerbo" --replay "$out/keys.kerborec" \
    >"$out/replay.txt" 2>&1 || { cat "$out/replay.txt"; fail "the replay went another way"; }
# The game left from the pause screen was kept, and replays alone as it was played.
kept=$out/data/kerbo/games/Highscores/last-1.kerborec
grep -qx "setting difficulty hard" "$kept" || fail "no kept game of the hard difficulty"
XDG_CONFIG_HOME="$out/other" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$kerbo" --replay "$kept" \
    >"$out/kept.txt" 2>&1 || { cat "$out/kept.txt"; fail "the kept game's replay went another way"; }
echo "PASSED"
