#!/usr/bin/env bash
# Makes the two overview pictures of the README from a generated data folder:
#   docs/tiles.png    house tiles and sprites at 3x (nearest neighbour)
#   docs/screens.png  every screen and button, reduced
# Usage: tools/contact-sheets.sh [data folder]   (default build/data)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
data="${1:-$root/build/data}"
img="$data/Images"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

tiles=(Passage Wall Ceiling Elevator EndElevator TrampolineGreen TrampolineBlue TrampolineYellow TrampolineRed
       DoorLeftClosed DoorLeftOpen DoorRightClosed DoorRightOpen
       ShockDoorLeftClosed ShockDoorLeftOpen ShockDoorRightClosed ShockDoorRightOpen
       Item1 Item2 Item3 Item4 Item5)
sprites=(OskaLeft1:OskaLeftMask1 OskaLeft2:OskaLeftMask2 OskaRight1:OskaRightMask1 OskaRight2:OskaRightMask2
         Enemy:EnemyMask WaveLeft:WaveLeftMask WaveRight:WaveRightMask)
files=()
for t in "${tiles[@]}"; do
  convert "$img/$t.bmp" -filter point -resize 300% "$tmp/$t.png"
  files+=("$tmp/$t.png")
done
# Sprites are shown through their masks on a passage, as in the game.
for s in "${sprites[@]}"; do
  name="${s%%:*}" mask="${s##*:}"
  convert "$img/Passage.bmp" -crop 35x35+7+11 +repage "$tmp/bg.png"
  convert "$tmp/bg.png" "$img/$name.bmp" "$img/$mask.bmp" -composite -filter point -resize 300% "$tmp/$name.png"
  files+=("$tmp/$name.png")
done
montage "${files[@]}" -tile 8x -geometry 150x150+6+6 -background "#202030" "$root/docs/tiles.png"

screens=(background Controls storybackground asknamebackground highscorebackground pausebackground
         gameoverbackground youwinbackground)
sfiles=()
for s in "${screens[@]}"; do sfiles+=("$img/$s.bmp"); done
montage "${sfiles[@]}" -tile 2x -geometry 360x225+6+6 -background '#202030' "$tmp/screens.png"
bfiles=()
for b in play difficulty controls highscores quit resume quittomenu retry back; do
  bfiles+=("$img/${b}0.bmp" "$img/${b}1.bmp")
done
montage "${bfiles[@]}" -tile 6x -geometry 125x38+4+4 -background '#202030' "$tmp/buttons.png"
sel=()
for p in down:down_mask up:up_mask easy:easy_mask medium:medium_mask hard:hard_mask selectorback0:back_mask \
         icon:icon_mask; do
  n="${p%%:*}" m="${p##*:}"
  size=$(identify -format '%wx%h' "$img/$m.bmp")
  convert -size "$size" xc:'#202030' \( "$img/$n.bmp" -resize "$size!" \) "$img/$m.bmp" -composite "$tmp/sel_$n.png"
  sel+=("$tmp/sel_$n.png")
done
montage "${sel[@]}" -tile 7x -geometry +6+6 -background '#202030' "$tmp/selector.png"
convert "$tmp/screens.png" "$tmp/buttons.png" "$tmp/selector.png" -background "#202030" -gravity center -append -colors 256 PNG8:"$root/docs/screens.png"
