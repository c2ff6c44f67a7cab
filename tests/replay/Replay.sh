#!/bin/sh
# Replays one committed recording with the real program, in a copy of the
# data folder that starts from the Highscores.txt committed beside the
# recordings, and compares the printed summary with the expected one. The
# player's settings there say hard, full screen and no sound: a replay must
# play as recorded all the same, and leave the settings file as it was.
# Usage: Replay.sh KERBO DATA_DIR RECORDING EXPECTED_SUMMARY WORK_DIR [OPTION...]
# (the options go to kerbo after --replay RECORDING, for instance --paced)
set -u
kerbo=$1 data=$2 recording=$3 expected=$4 work=$5
shift 5
[ -d "$data/Images" ] || { echo "no generated data folder at $data"; exit 77; }
rm -rf "$work" && mkdir -p "$work" || exit 1
for entry in "$data"/*; do ln -s "$entry" "$work/" || exit 1; done
rm -f "$work/Highscores.txt"
cp "$(dirname "$recording")/Highscores.txt" "$work/Highscores.txt" || exit 1
mkdir -p "$work/config/kerbo" || exit 1
printf 'scale = 2\nfull-screen = yes\nsound = off\ndifficulty = hard\n' >"$work/config/kerbo/settings"
cp "$work/config/kerbo/settings" "$work/settings.before" || exit 1
cd "$work" || exit 1
XDG_CONFIG_HOME="$work/config" "$kerbo" --replay "$recording" "$@" >summary.txt 2>errors.txt
status=$?
cat errors.txt
if ! cmp -s settings.before config/kerbo/settings || [ "$(ls -A config/kerbo)" != settings ]; then
    echo "FAIL: the replay touched the player's settings"
    exit 1
fi
if ! diff -u "$expected" summary.txt; then
    echo "FAIL: the summary differs from $expected (above: - expected, + this run)"
    exit 1
fi
if [ $status -ne 0 ]; then
    echo "FAIL: kerbo --replay ended with status $status"
    exit 1
fi
echo "the replay of $(basename "$recording") matches, frame by frame"
