#!/bin/sh
# The real program against files that are not what they should be (folders,
# pipes nobody writes to, endless devices, huge files, broken recordings) and
# against SIGTERM and SIGINT: one line naming the file, a safe end, no hang,
# nothing left in the temporary folder, the high scores intact.
# Usage: Hostile.sh KERBO DATA_DIR RECORDINGS_DIR WORK_DIR
set -u
kerbo=$1 data=$2 recs=$3 work=$4
[ -d "$data/Images" ] || { echo "no generated data folder at $data"; exit 77; }
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TMPDIR="$work/tmp"
failures=0
fail() {
    echo "FAIL: $name: $*"
    failures=$((failures + 1))
}

# A fresh copy of the data folder to spoil; its pictures and sounds are copies.
fresh() {
    cd / && rm -rf "$work" && mkdir -p "$work/run" "$TMPDIR" && cd "$work/run" || exit 1
    for entry in "$data"/*; do ln -s "$entry" .; done
    rm -f Highscores.txt Images images Music
    cp -r "$data/Images" "$data/Music" . && ln -s Images images && cp "$recs/Highscores.txt" . || exit 1
}

# Runs the program; a run that outlives a minute is killed (status 137).
run() {
    timeout -s KILL 60 "$kerbo" "$@" >out.txt 2>err.txt
    status=$?
}

# says STATUS TEXT: the run ended with STATUS, said TEXT in exactly one line
# and left nothing in the temporary folder.
says() {
    before=$failures
    [ "$status" = "$1" ] || fail "status $status, not $1"
    [ -z "$2" ] || [ "$(grep -c -F -- "$2" err.txt)" = 1 ] || fail "not one line saying '$2'"
    [ -z "$(ls "$TMPDIR")" ] || fail "left $(ls "$TMPDIR") in the temporary folder"
    [ $failures = $before ] || cat err.txt
}

for kind in folder device pipe 100-MB-file; do
    name="level2.txt as a $kind"
    fresh && rm level2.txt
    case $kind in
        folder) mkdir level2.txt && why="is a folder, not a file" ;;
        device) ln -s /dev/zero level2.txt && why="is a device, not a file" ;;
        pipe) mkfifo level2.txt && why="is a pipe, not a file" ;;
        *) cp "$data/level2.txt" . && truncate -s 100M level2.txt && why="is 100 MB, more than the 64 KB" ;;
    esac
    run --replay "$recs/game.kerborec"
    says 1 "kerbo: level file level2.txt: $why"
done

name="a missing picture and sounds that are a pipe and a device"
fresh && rm Images/Enemy.bmp Music/Theme.MP3 Music/GetItem.MP3
mkfifo Music/Theme.MP3 && ln -s /dev/zero Music/GetItem.MP3
run --replay "$recs/game.kerborec"  # loads each of them again and again
says 0 "kerbo: Images/Enemy.bmp: No such file or directory; the picture is left out."
says 0 "kerbo: Music/Theme.MP3: is a pipe, not a file; the sound is left out."
says 0 "kerbo: Music/GetItem.MP3: is a device, not a file; the sound is left out."

name="a high-score table that is a pipe"
fresh && rm Highscores.txt && mkfifo Highscores.txt
run --replay "$recs/quit.kerborec"
says 1 "kerbo: Highscores.txt: can't be copied for the replay (is a pipe, not a file)"

name="recordings that are no files"
for recording in /dev/zero "$work/run" "$work/run/pipe.kerborec"; do
    fresh && mkfifo pipe.kerborec
    run --replay "$recording"
    says 1 "kerbo: $recording: can't be read (is a "
done

name="a recording with CR LF line ends"
fresh && sed 's/$/\r/' "$recs/quit.kerborec" >crlf.kerborec
run --replay crlf.kerborec
says 0 "" && diff "$recs/quit.summary" out.txt || fail "another summary"

# Both cut the recording at the story screen, which waits for X: before its first X.
name="a recording whose close lies far ahead"
fresh && sed '/^e [0-9]* 0 88 /,$d' "$recs/quit.kerborec" >far.kerborec && echo "c 9223372036854775807" >>far.kerborec
run --replay far.kerborec
says 0 ""
name="a recording whose X comes far ahead, and nothing after it"
fresh && sed '/^e [0-9]* 0 88 /,$d' "$recs/quit.kerborec" >far.kerborec && echo "e 9223372036854775807 0 88 0 0" >>far.kerborec
run --replay far.kerborec
says 1 "kerbo: the replay went on past the end of the recording"

# start ARGS...: starts the program in the background (as a shell's
# background job would ignore SIGINT, it gets the default back) and waits
# until its window is open: until it catches SIGINT and SIGTERM.
start() {
    env --default-signal=INT,TERM "$kerbo" "$@" >out.txt 2>err.txt &
    pid=$!
    for i in $(seq 300); do
        mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null)
        [ -n "$mask" ] && [ $((0x$mask & 0x4002)) = $((0x4002)) ] && sleep 0.2 && return
        sleep 0.1
    done
    fail "its window did not open"
}
# stop SIGNAL: sends it and waits for the end; killed after 30 seconds (status 137).
stop() {
    kill -s "$1" $pid
    (sleep 30 && kill -KILL $pid) >/dev/null 2>&1 &
    watchdog=$!
    wait $pid
    status=$?
    kill $watchdog 2>/dev/null
}

name="SIGTERM in the start menu, after a save that was killed"
fresh
sh -c 'exit 0' &
gone=$!
wait $gone
echo stale >"Highscores.txt.saving-$gone-Ab12Cd"
# And one of the levels reached, in the player's data folder.
export XDG_DATA_HOME="$work/home"
mkdir -p "$XDG_DATA_HOME/kerbo"
echo "shipped = 3" >"$XDG_DATA_HOME/kerbo/progress.txt"
echo "shipped = " >"$XDG_DATA_HOME/kerbo/progress.txt.saving-$gone-Ab12Cd"
# And one of the settings.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/kerbo"
echo "difficulty = hard" >"$XDG_CONFIG_HOME/kerbo/settings"
echo "difficulty = " >"$XDG_CONFIG_HOME/kerbo/settings.saving-$gone-Ab12Cd"
start
stop TERM
says 143 ""
grep -q "Thanks for playing the game." out.txt || fail "no clean end"
cmp -s Highscores.txt "$recs/Highscores.txt" || fail "the high scores changed"
[ -e "Highscores.txt.saving-$gone-Ab12Cd" ] && fail "the killed save's file is still there"
[ "$(cat "$XDG_DATA_HOME/kerbo/progress.txt")" = "shipped = 3" ] || fail "the levels reached changed"
[ -e "$XDG_DATA_HOME/kerbo/progress.txt.saving-$gone-Ab12Cd" ] && fail "the killed save of the levels reached is still there"
[ "$(cat "$XDG_CONFIG_HOME/kerbo/settings")" = "difficulty = hard" ] || fail "the settings changed"
[ -e "$XDG_CONFIG_HOME/kerbo/settings.saving-$gone-Ab12Cd" ] && fail "the killed save of the settings is still there"
unset XDG_DATA_HOME XDG_CONFIG_HOME

name="SIGINT during a replay"
fresh
start --replay "$recs/game.kerborec" --paced
stop INT
says 130 ""
grep -q "high scores" out.txt || fail "no summary"

[ $failures = 0 ] && echo "every hostile case ended as it should"
[ $failures = 0 ]
