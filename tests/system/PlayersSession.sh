#!/usr/bin/env bash
# A player's session with the keyboard alone in a virtual X server: a pack
# chosen from the Packs list, its first level played until a life is lost
# (the plate over Oska shows it for a second), P and the arrows to quit to
# the menu, its second level started as practice from the list and won
# (its points leave the table as it was), the left key changed to A on the
# settings screen and Oska walked with it, then the last game watched from the high-score screen to its end,
# and Quit: status 0.
#
#   PlayersSession.sh <kerbo program> <data folder> <folder for screenshots and logs>
#
# Exit status 77 (skipped) when the data folder or the X tools are missing.
set -u

kerbo=$1
data=$2
out=$3
. "$(dirname "$0")/XSession.sh"

need_data "$data"
need_tools xvfb-run xdotool import convert compare python3

rm -rf "$out"
mkdir -p "$out/run" "$out/data/kerbo/packs/duo"
out=$(realpath "$out")
cp -r "$data/." "$out/run/"
pack=$out/data/kerbo/packs/duo
cp "$data/level1.txt" "$pack/"
# Its second level is cleared by one step to the right, to the one item.
cat >"$pack/level2.txt" <<'LEVEL'
cccccccccccccccc
cccccccccccccccc
wwwwwwwwwwwwwwww
wpppppppppppnppw
wpppppppppppeppw
wpppppppppppeppw
wpppppppppppeppw
wpppppppppppeppw
wppppppppppieppw
wwwwwwwwwwwwtwww
LEVEL
printf 'title = Duo\nauthor = Tester\n' >"$pack/pack.txt"
# The pack reached at level 2: its key is the folder's name and 48 bits of
# the FNV-1a hash of its full path.
key=$(python3 -c '
import sys
h = 0xcbf29ce484222325
for c in sys.argv[1].encode():
    h = ((h ^ c) * 0x100000001b3) & 0xffffffffffffffff
print("duo-%012x" % (h >> 16))' "$pack")
printf '%s = 2\n' "$key" >"$out/data/kerbo/progress.txt"

session=$(cat <<'INNER'
kerbo=$1
out=$2
cd "$out/run"
XDG_DATA_HOME="$out/data" SDL_AUDIODRIVER=dummy "$kerbo" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!
find_window
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
wait_for_picture "$out/startmenu.png"
sleep 0.5
keys() { xdotool key --delay 150 "$@"; sleep 0.8; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
shot() { import -window root "$out/$1.png" || fail "no screenshot $1"; }
# grey FILE: how many pixels of the plate's light grey the picture has.
grey() { convert "$1" -fill black +opaque "rgb(192,192,192)" -fill white -opaque "rgb(192,192,192)" \
             -format "%[fx:int(mean*w*h+0.5)]" info:; }
# card_gone NAME: waits for the level card (a large grey box) and for its
# end, when play goes on (the last screenshot in NAME).
card_gone() {
    local _ seen=""
    for _ in $(seq 1 200); do
        shot "$1"
        if [ "$(grey "$out/$1.png")" -gt 100000 ]; then
            seen=1
        elif [ -n "$seen" ]; then
            return 0
        fi
        sleep 0.1
    done
    fail "no level card, or it stayed ($1)"
}
# pause_and_quit: P until the pause screen shows (a life lost meanwhile
# brings its card first), then the arrows quit to the menu.
pause_and_quit() {
    local _
    for _ in $(seq 1 6); do
        shot playing
        hold p 0.4
        sleep 0.8
        shot paused
        if [ "$(grey "$out/paused.png")" -gt 100000 ]; then
            card_gone playing
        elif [ "$(differ playing paused)" -gt 40000 ]; then
            to_menu paused
            return 0
        fi
    done
    fail "P did not pause"
}
# to_menu SHOT: on the pause or end screen (screenshot SHOT), Down goes to
# "Quit to menu", or first to the button above when the pointer lay on
# neither: Enter once the quit button is lit.
to_menu() {
    local _
    for _ in 1 2 3; do
        keys Down
        shot quit-lit
        if [ "$(lit "$1" quit-lit)" -gt 2000 ]; then
            keys Return
            return 0
        fi
    done
    fail "the arrows did not reach Quit to menu"
}
# lit A B: the pixels that differ on the pause screen's quit button.
lit() {
    convert "$out/$1.png" -crop 250x70+60+140 +repage "$out/crop1.png" &&
        convert "$out/$2.png" -crop 250x70+60+140 +repage "$out/crop2.png" && differ crop1 crop2
}
# differ A B: the pixels that differ between two screenshots.
differ() { compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1; }

keys Down Up Up Up Return         # Play, then up round past Settings and the editor to Packs
shot packs
keys Down Return                  # the pack below the shipped levels: played from now on
shot menu-pack
keys Down Down Down Return        # from Packs past the editor and Settings round to Play
keys x                            # past the story
keys k b o Return                 # the name
card_gone level
base=$(grey "$out/level.png")
hold Right 0.35                   # towards the shaft: a cat, or the trampoline broken at the fourth landing, costs a life
lost=""
for _ in $(seq 1 120); do
    shot feedback
    [ "$(grey "$out/feedback.png")" -gt $((base + 800)) ] && { lost=1; break; }
    sleep 0.1
done
[ -n "$lost" ] || fail "no plate over Oska after the life was lost"
card_gone again
pause_and_quit
shot menu-after-game
tables() { cat "$out"/run/Highscores*.txt "$out"/data/kerbo/Highscores*.txt 2>/dev/null | md5sum; }
before=$(tables)

keys Up Up Up Up Return           # from Difficulty up round to Packs
keys Right                        # on the pack in play: from level 2, as practice
shot practice-hint
keys Return                       # starts at once, no story or name
card_gone practice
won=""
for _ in $(seq 1 100); do
    # Right to the item (again after a life lost): the level and the pack cleared.
    [ $((_ % 10)) -eq 1 ] && hold Right 0.3
    sleep 0.2
    shot won
    [ "$(differ practice won)" -gt 100000 ] && [ "$(grey "$out/won.png")" -lt 100000 ] && { won=1; break; }
done
[ -n "$won" ] || fail "no end screen after the practice game's last level"
sleep 1
shot won
to_menu won
[ "$(tables)" = "$before" ] || fail "the practice game changed the high-score table"

keys Up Up Return                 # from Difficulty up to Play, round to Settings
keys Down Down Down Down Return   # the left key's row: waits for a key
keys a
shot settings
keys Escape                       # back to the menu, on Settings
keys Down Return                  # round to Play
keys x
keys k b o Return
card_gone before-a
hold a 0.5
shot after-a
convert "$out/before-a.png" -crop 160x60+360+395 +repage "$out/crop1.png"
convert "$out/after-a.png" -crop 160x60+360+395 +repage "$out/crop2.png"
[ "$(differ crop1 crop2)" -gt 300 ] || fail "Oska did not walk with A"
grep -qx "key-left = A" "$XDG_CONFIG_HOME/kerbo/settings" || fail "the key chosen was not kept"
pause_and_quit
keys Down Down Return             # from Difficulty to High scores
shot highscores
keys l                            # the last game
sleep 1
shot watching
convert "$out/watching.png" -crop 800x22+0+72 +repage "$out/crop1.png"
convert "$out/before-a.png" -crop 800x22+0+72 +repage "$out/crop2.png"
[ "$(differ crop1 crop2)" -gt 1000 ] || fail "no watching line over the status band"
ended=""
for _ in $(seq 1 120); do
    sleep 0.5
    shot watched
    [ "$(differ highscores watched)" -lt 3000 ] && { ended=1; break; }
done
[ -n "$ended" ] || fail "the watched game did not end on the high-score screen"
keys Escape                       # back to the menu, on High scores
keys Down Return                  # Quit
ends_at_quit
exit 0
INNER
)

in_x_server "$session" "$kerbo" "$out"
show_program_output "$out" $?
echo "PASSED"
