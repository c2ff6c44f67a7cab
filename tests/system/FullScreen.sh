#!/usr/bin/env bash
# F11 on the start menu of a 1920 x 1080 screen, with a window manager or with
# none: the whole screen shows the whole start menu, sharp at twice its size
# in the middle with black borders (the window's own picture and the game's
# background image, scaled, say what it should be) with the mouse on its
# buttons, and F11 again comes back
# to the window as it was. The settings file then keeps what the player last
# chose and got; a run that starts on the whole screen from it comes back to
# a window too.
#
#   FullScreen.sh <kerbo program> <data folder> <folder for screenshots and logs> <closer> <window manager|none>
#
# Exit status 77 (skipped) when the data folder, the X tools or the window manager are missing.
set -u

kerbo=$1
data=$2
out=$3
closer=$4
wm=$5
. "$(dirname "$0")/XSession.sh"

need_data "$data"
need_tools xvfb-run xdotool xprop xwininfo import convert compare
[ "$wm" = none ] || need_tools "$wm"

rm -rf "$out"
mkdir -p "$out/run" "$out/config/kerbo"
cp -r "$data/." "$out/run/"
# What the picture shows where no button, title or house is drawn over it.
convert -size 1920x1080 xc:black \( "$data/images/background.bmp" -scale 200% \) -geometry +160+40 -composite \
    "$out/background.png" || fail "can't scale the background image"

session=$(cat <<'INNER'
kerbo=$1 out=$2 closer=$3 wm=$4
if [ "$wm" != none ]; then
    "$wm" >"$out/wm.txt" 2>&1 &
    for _ in $(seq 1 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || fail "$wm did not start"
fi
# frame NAME: the window's place and size on the screen, as X has it.
frame() {
    xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF} END {print w "x" h "+" x "+" y}'
}
pixels() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# whole_screen SHOT WINDOW_SHOT WINDOW_FRAME: the screenshot shows the window's
# picture whole, unchanged, at 1600 x 1000 in the middle of black borders.
whole_screen() {
    [ "$(frame)" = "1920x1080+0+0" ] || fail "the window is at $(frame), not on the whole screen"
    convert "$2" -crop "$3" +repage "$out/window-picture.png"
    convert "$1" -crop 1600x1000+160+40 +repage "$out/screen-picture.png"
    [ "$(pixels "$out/window-picture.png" "$out/screen-picture.png")" -eq 0 ] ||
        fail "the whole screen does not show the window's picture at 1600 x 1000 in its middle"
    local max
    max=$(convert "$1" -fill black -draw "rectangle 160,40 1759,1039" -format "%[fx:maxima]" info:)
    [ "$max" = 0 ] || fail "the borders around the picture are not black"
    # A quarter of the picture is buttons, title and house; a picture cut or shifted differs in most of it.
    [ "$(pixels "$1" "$out/background.png")" -lt 480000 ] || fail "the picture is not the start menu's"
}
# run NAME F11S: starts the game, screenshots its window and the whole screen
# after each of F11S presses of F11, then closes it.
start() {
    echo "starting: $1"
    cd "$out/run"
    SDL_AUDIODRIVER=dummy "$kerbo" >"$out/stdout-$1.txt" 2>"$out/stderr-$1.txt" &
    pid=$!
    find_window
    xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    wait_for_picture "$out/$1.png"
    find_window  # again: choosing the renderer may have made the window anew
    sleep 1
    import -window root "$out/$1.png" || fail "no screenshot"
}
f11() {
    echo "F11: $1 (in $(frame))"
    xdotool key --window "$wid" F11
    sleep 1.5
    import -window root "$out/$1.png" || fail "no screenshot"
}

start window
window=$(frame)
[ "$window" != "1920x1080+0+0" ] || fail "the window opened on the whole screen"
f11 full
whole_screen "$out/full.png" "$out/window.png" "$window"
# The mouse finds the buttons where they are shown: Play lights up under it.
xdotool mousemove 530 234
sleep 0.6
import -window root "$out/pointer.png" || fail "no screenshot"
convert "$out/full.png" -crop 500x150+280+160 +repage "$out/play-before.png"
convert "$out/pointer.png" -crop 500x150+280+160 +repage "$out/play-lit.png"
[ "$(pixels "$out/play-before.png" "$out/play-lit.png")" -gt 1000 ] || fail "Play does not light up under the mouse"
xdotool mousemove 960 540  # where the X server put it at the start
sleep 0.6
f11 back
[ "$(frame)" = "$window" ] || fail "F11 again put the window at $(frame), not back at $window"
[ "$(pixels "$out/window.png" "$out/back.png")" -eq 0 ] || fail "back in the window, the screen is not as before"
f11 full-again
close_window "$closer"
grep -qx "full-screen = yes" "$XDG_CONFIG_HOME/kerbo/settings" || fail "the whole screen chosen last is not kept"

# The next run starts on the whole screen and comes back to a window of the same size.
start full-start
whole_screen "$out/full-start.png" "$out/window.png" "$window"
f11 window-again
[ "$(frame | cut -d+ -f1)" = "${window%%+*}" ] || fail "F11 made a window of $(frame), not of ${window%%+*}"
close_window "$closer"
grep -qx "full-screen = no" "$XDG_CONFIG_HOME/kerbo/settings" || fail "the window chosen last is not kept"
cp "$XDG_CONFIG_HOME/kerbo/settings" "$out/settings"
exit 0
INNER
)

XSCREEN=1920x1080x24 in_x_server "$session" "$kerbo" "$out" "$closer" "$wm"
status=$?
for name in window full-start; do
    echo "--- program output ($name)"; cat "$out/stdout-$name.txt" 2>/dev/null
    echo "--- program errors ($name)"; cat "$out/stderr-$name.txt" 2>/dev/null
done
[ "$status" -eq 0 ] || exit 1
echo "PASSED"
