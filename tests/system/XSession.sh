# Shell functions shared by the tests that drive the real program in a
# virtual X server: skipping when something is missing, finding the game's
# window, waiting for a picture, closing the window as a window manager's
# close button does, and judging a screenshot. Source it (". XSession.sh");
# `pid` names the program under test once it runs.

XSESSION=${BASH_SOURCE[0]}

skip() {
    echo "SKIPPED: $*"
    exit 77
}

fail() {
    echo "FAILED: $*"
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}

# need_tools TOOL...: skips the test when one is not installed.
need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
}

# need_data FOLDER: skips the test when the generated data folder is missing.
need_data() {
    [ -f "$1/level1.txt" ] && [ -d "$1/images" ] || skip "no data folder at $1 (build with -DKERBO_DATA=ON)"
}

# find_window: waits for the game's window (the program runs as $pid); sets wid.
find_window() {
    wid=""
    local _
    for _ in $(seq 1 100); do
        wid=$(xdotool search --name "KERBO anno 2011" 2>/dev/null | head -n 1)
        [ -n "$wid" ] && return 0
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window opened"
        sleep 0.1
    done
    fail "no window titled KERBO anno 2011"
}

# wait_for_picture FILE: screenshots into FILE until the screen shows more
# than a few colours (a screen of the game, not an empty window).
wait_for_picture() {
    local _
    for _ in $(seq 1 40); do
        sleep 0.5
        import -window root "$1" || fail "no screenshot"
        [ "$(convert "$1" -format "%k" info:)" -gt 16 ] && return 0
    done
}

# play_as_abc FILE: focuses the window found, waits for the start menu
# (screenshot in FILE), clicks Play, ends the story with X and gives the name
# ABC; the level card comes next.
play_as_abc() {
    xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    wait_for_picture "$1"
    sleep 0.5
    xdotool mousemove --window "$wid" 185 97 click 1
    sleep 1
    xdotool key x
    sleep 0.5
    xdotool key a b c
    sleep 0.3
    xdotool key x
}

# close_window CLOSER: asks the window to close with the close-window tool
# and waits for the program to end; fails unless it ends with status 0.
close_window() {
    "$1" "$wid" || fail "could not ask the window to close"
    local _
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the program did not end after its window was closed"
    wait "$pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# check_picture FILE WHAT: not (nearly) one colour, and some light pixels.
check_picture() {
    local colours max
    colours=$(convert "$1" -format "%k" info:)
    max=$(convert "$1" -colorspace Gray -format "%[fx:maxima]" info:)
    echo "$2: $colours colours, brightest $max"
    [ "$colours" -ge 4 ] || fail "the $2 is nearly one colour"
    awk -v m="$max" 'BEGIN { exit !(m > 0.2) }' || fail "the $2 is black"
}

# not_black FILE WHAT X Y: the pixel at (X, Y) is not black.
not_black() {
    local v
    v=$(convert "$1" -format "%[pixel:p{$3,$4}]" info:)
    echo "$2 at ($3, $4): $v"
    case "$v" in
        "black" | "srgb(0,0,0)" | "rgb(0,0,0)" | "gray(0)") fail "the $2 is black at ($3, $4)" ;;
    esac
}

# ends_at_quit: after Quit, waits up to 5 seconds for the program ($pid) to
# end; fails unless it did, with status 0.
ends_at_quit() {
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the program did not end at Quit"
    wait "$pid" || fail "the program ended with status $?"
}

# show_program_output OUT STATUS: what the program wrote (OUT/stdout.txt,
# OUT/stderr.txt); then ends the test unless the session's STATUS was 0.
show_program_output() {
    echo "--- program output"; cat "$1/stdout.txt" 2>/dev/null
    echo "--- program errors"; cat "$1/stderr.txt" 2>/dev/null
    [ "$2" -eq 0 ] || exit 1
}

# in_x_server SCRIPT ARG...: runs the bash SCRIPT in a virtual X server of
# 800 x 500 (XSCREEN: another, such as 1920x1080x24) with these functions at
# hand and ARGs as $1, $2, ...; its status
# is the script's. The session gets a settings folder of its own
# (XDG_CONFIG_HOME, empty at the start), so no test reads or changes the
# settings of whoever runs it.
in_x_server() {
    local script=$1 config status
    shift
    config=$(mktemp -d) || fail "no scratch folder for the settings"
    XDG_CONFIG_HOME=$config xvfb-run -a -s "-screen 0 ${XSCREEN:-800x500x24}" bash -c "set -u; . '$XSESSION'; $script" session "$@"
    status=$?
    rm -rf "$config"
    return "$status"
}

# show_start_menu OUT FOLDER CLOSER COMMAND...: in a virtual X server, starts
# COMMAND in FOLDER, waits for its start menu (OUT/startmenu.png), closes the
# window with the CLOSER tool, then shows what the program wrote
# (OUT/stdout.txt, OUT/stderr.txt). Fails unless all went well.
show_start_menu() {
    local out=$1 folder=$2 closer=$3
    shift 3
    in_x_server '
        out=$1 folder=$2 closer=$3
        shift 3
        cd "$folder" || fail "no folder $folder"
        "$@" >"$out/stdout.txt" 2>"$out/stderr.txt" &
        pid=$!
        find_window
        wait_for_picture "$out/startmenu.png"
        close_window "$closer"' "$out" "$folder" "$closer" "$@"
    local status=$?
    echo "--- program output"
    cat "$out/stdout.txt" 2>/dev/null
    echo "--- program errors"
    cat "$out/stderr.txt" 2>/dev/null
    [ "$status" -eq 0 ] || fail "the program in the X server ($*)"
}
