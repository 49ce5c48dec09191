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
