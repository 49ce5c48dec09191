#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick. The made files are committed
# (resources/images), so a Windows build needs no generator; rerun this only
# to change a picture.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/resources/images
font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

blue='rgb(12,128,232)'
light='rgb(33,179,255)'
mask='rgb(0,125,255)'  # the page buttons' transparent colour

# Program icon: a blue disc with a white clock face at 10:10.
for size in 16 32 48 256; do
  c=$((size / 2))
  r=$((size * 7 / 16))
  face=$((size * 5 / 16))
  stroke=$(( size >= 32 ? size / 16 : 1 ))
  convert -size ${size}x${size} xc:none \
    -fill "$blue" -draw "circle $c,$c $c,$((c - r))" \
    -fill white -draw "circle $c,$c $c,$((c - face))" \
    -stroke "$blue" -strokewidth $stroke \
    -draw "line $c,$c $c,$((c - face * 3 / 4))" \
    -draw "line $c,$c $((c - face * 2 / 3)),$((c - face / 3))" \
    "$tmp/icon$size.png"
done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$tmp/icon256.png" "$out/nightlatch.ico"

# Chimebox's icon, six sizes: the blue disc with a white speaker and two
# sound waves (rings cut to a 90-degree wedge: thick arcs come out filled).
convert -size 256x256 xc:none \
  -fill "$blue" -draw 'circle 128,128 128,16' \
  -fill white -stroke none -draw 'polygon 44,104 76,104 116,66 116,190 76,152 44,152' \
  \( -size 256x256 xc:none -fill none -stroke white -strokewidth 14 \
     -draw 'circle 108,128 152,128' -draw 'circle 108,128 190,128' \
     \( -size 256x256 xc:none -fill white -draw 'polygon 108,128 256,-20 256,276' \) \
     -compose DstIn -composite \) \
  -compose Over -composite -depth 8 "$tmp/chime256.png"
chime_sizes=()
for size in 16 24 32 48 64; do
  convert "$tmp/chime256.png" -resize ${size}x${size} "$tmp/chime$size.png"
  chime_sizes+=("$tmp/chime$size.png")
done
convert "${chime_sizes[@]}" "$tmp/chime256.png" "$out/chimebox.ico"

# Page buttons: six 80 x 64 images; an even one is a page at rest (white on
# the mask colour), the odd one after it is the current or hot page.
glyph() {  # name, file
  case $1 in
    simple) echo "-fill none -stroke white -strokewidth 3 -draw 'arc 26,6 54,34 300,240' -draw 'line 40,4 40,18'" ;;
    plan) echo "-fill none -stroke white -strokewidth 2 -draw 'rectangle 26,6 54,34' -draw 'line 26,14 54,14' -draw 'line 31,20 49,20' -draw 'line 31,26 49,26'" ;;
    settings) echo "-fill none -stroke white -strokewidth 4 -draw 'circle 40,20 40,10' -strokewidth 2 -draw 'line 40,3 40,37' -draw 'line 23,20 57,20' -draw 'line 28,8 52,32' -draw 'line 52,8 28,32' -fill white -stroke none -draw 'circle 40,20 40,15' -fill '$mask' -draw 'circle 40,20 40,17'" ;;
  esac
}
labels=(simple:简单任务 plan:计划任务 settings:系统设置)
frames=()
for entry in "${labels[@]}"; do
  name=${entry%%:*}
  label=${entry#*:}
  for state in rest current; do
    background=$mask
    [ "$state" = current ] && background=$light
    eval convert -size 80x64 "xc:'$background'" "$(glyph "$name")" \
      -font "$font" -pointsize 14 -fill white -stroke none -gravity south \
      -annotate +0+6 "'$label'" "$tmp/$name-$state.png"
    frames+=("$tmp/$name-$state.png")
  done
done
convert "${frames[@]}" +append -type TrueColor "BMP3:$out/page_buttons.bmp"

# Background strip of the password dialog and the message box (5 x 250).
convert -size 5x250 gradient:'rgb(214,236,255)'-white -type TrueColor "BMP3:$out/box_background.bmp"

# Background of the countdown prompt: a 500 x 5 strip, light on the left,
# tiled from the top-left corner.
convert -size 5x500 gradient:"$blue"-'rgb(8,88,129)' -rotate -90 -type TrueColor \
  "BMP3:$out/prompt_background.bmp"

# The countdown prompt's picture, 81 x 81: an alarm clock on magenta, the
# colour the prompt leaves out when it draws the picture (so no edge
# pixels are blended with it).
convert -size 81x81 xc:'rgb(255,0,255)' +antialias \
  -fill white -stroke none -draw 'circle 20,17 20,6' -draw 'circle 60,17 60,6' \
  -stroke white -strokewidth 5 -draw 'line 24,68 16,78' -draw 'line 56,68 64,78' \
  -fill "$light" -stroke white -strokewidth 5 -draw 'circle 40,44 40,12' \
  -fill white -stroke none -draw 'circle 40,44 40,18' \
  -stroke "$blue" -strokewidth 4 -draw 'line 40,44 40,25' -draw 'line 40,44 53,51' \
  -fill "$blue" -stroke none -draw 'circle 40,44 40,40' \
  -type TrueColor "BMP3:$out/prompt_picture.bmp"

# The about box's picture.
convert "$tmp/icon256.png" -resize 64x64 -background 'rgb(240,255,255)' -flatten \
  -type TrueColor "BMP3:$out/about_picture.bmp"

# Task list rows: four 30 x 50 images on white (the transparent colour). The
# page shows image 0 for a stopped task (a grey face with a pause sign) and
# image 1 for a normal one (a blue face at 10:10); 2 and 3 are spares.
row_image() {  # colour, mark, file
  local colour=$1 mark=$2
  local hands="-stroke white -strokewidth 2 -draw 'line 15,25 15,17' -draw 'line 15,25 10,21'"
  [ "$mark" = pause ] && hands="-stroke white -strokewidth 3 -draw 'line 12,19 12,31' -draw 'line 18,19 18,31'"
  eval convert -size 30x50 xc:white -fill "'$colour'" -stroke none \
    -draw "'circle 15,25 15,13'" "$hands" "$3"
}
row_image 'rgb(150,150,150)' pause "$tmp/row0.png"
row_image "$blue" clock "$tmp/row1.png"
row_image 'rgb(245,150,40)' clock "$tmp/row2.png"
row_image 'rgb(37,176,122)' clock "$tmp/row3.png"
convert "$tmp/row0.png" "$tmp/row1.png" "$tmp/row2.png" "$tmp/row3.png" +append \
  -type TrueColor "BMP3:$out/task_states.bmp"

# The desktop clock's eight pictures, 137 x 110: a square of 110 at zoom 10
# plus a fifth more, since the clock draws the picture from its left edge for
# six seconds and from a fifth of its width for four. The motif sits in the
# middle, so it sways between the two halves; bold white shapes on the skin's
# blue stay readable from 55 to 220 pixels.
pictures=$root/resources/data/resource/image
mkdir -p "$pictures"
motif() {  # number
  case $1 in
    1) echo "-fill none -stroke white -strokewidth 8 -draw 'circle 68,58 68,24'
             -strokewidth 6 -draw 'line 68,58 68,36' -draw 'line 68,58 84,66'
             -fill white -stroke none -draw 'circle 44,24 44,14' -draw 'circle 92,24 92,14'
             -stroke white -strokewidth 6 -draw 'line 48,90 40,100' -draw 'line 88,90 96,100'" ;;
    2) echo "-fill white -stroke none -draw 'circle 64,56 64,18'
             -fill '$blue' -draw 'circle 80,46 80,12'
             -fill white -draw 'polygon 100,70 104,80 114,82 104,86 100,96 96,86 86,82 96,80'
             -draw 'circle 30,28 30,24' -draw 'circle 110,24 110,20'" ;;
    3) echo "-fill white -stroke none -draw 'circle 68,55 68,31'
             -stroke white -strokewidth 7
             -draw 'line 68,6 68,18' -draw 'line 68,92 68,104' -draw 'line 19,55 31,55'
             -draw 'line 105,55 117,55' -draw 'line 34,21 42,29' -draw 'line 94,81 102,89'
             -draw 'line 102,21 94,29' -draw 'line 42,81 34,89'" ;;
    4) echo "-fill white -stroke none -draw 'roundrectangle 38,46 90,96 8,8'
             -fill none -stroke white -strokewidth 7 -draw 'circle 96,66 96,54'
             -strokewidth 5 -draw 'bezier 52,38 44,28 60,22 52,10'
             -draw 'bezier 72,38 64,28 80,22 72,10'" ;;
    5) echo "-fill white -stroke none -draw 'circle 50,60 50,40' -draw 'circle 76,48 76,20'
             -draw 'circle 98,64 98,48' -draw 'roundrectangle 30,60 114,80 10,10'
             -stroke white -strokewidth 5 -draw 'line 48,88 42,102' -draw 'line 70,88 64,102'
             -draw 'line 92,88 86,102'" ;;
    6) echo "-fill white -stroke none -draw 'path \"M 40,80 C 40,40 46,22 68,22 C 90,22 96,40 96,80 Z\"'
             -draw 'roundrectangle 32,78 104,88 5,5' -draw 'circle 68,96 68,88'
             -draw 'circle 68,18 68,12'" ;;
    7) echo "-fill none -stroke white -strokewidth 7 -draw 'line 40,10 96,10' -draw 'line 40,100 96,100'
             -strokewidth 5 -draw 'polyline 46,12 46,26 64,55 46,84 46,98'
             -draw 'polyline 90,12 90,26 72,55 90,84 90,98'
             -fill white -stroke none -draw 'polygon 54,30 82,30 68,50' -draw 'polygon 68,70 54,96 82,96'" ;;
    8) echo "-fill white -stroke none -draw 'polygon 68,12 30,70 106,70'
             -draw 'polygon 68,36 24,94 112,94' -draw 'rectangle 62,94 74,106'" ;;
  esac
}
for number in 1 2 3 4 5 6 7 8; do
  eval convert -size 110x137 gradient:"'$light'"-"'$blue'" -rotate -90 \
    "$(motif $number | tr '\n' ' ')" \
    -type TrueColor "BMP3:$pictures/Clock0$number.bmp"
done
