#!/usr/bin/env bash
# Draws the pictures of the shell's buttons and windows (ImageMagick). The
# PNG files are kept in the repository; run this only to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
font="Liberation-Sans-Bold"
C=(convert -background none)

# Printer: body, paper in and out.
"${C[@]}" -size 64x64 xc:none \
  -fill white -stroke '#555' -strokewidth 2 -draw "rectangle 18,4 46,24" \
  -fill '#9aa3ad' -draw "roundrectangle 6,20 58,46 6,6" \
  -fill '#5b6470' -draw "rectangle 12,40 52,52" \
  -fill white -draw "rectangle 18,46 46,62" \
  -stroke '#888' -strokewidth 1 -draw "line 22,52 42,52" -draw "line 22,56 38,56" \
  -fill '#2ecc40' -stroke none -draw "circle 50,28 53,28" printer.png

# Arrows back and forward.
"${C[@]}" -size 64x64 xc:none -fill '#1f6fb2' -stroke '#0d3d66' -strokewidth 2 \
  -draw "polygon 6,32 30,8 30,22 58,22 58,42 30,42 30,56" back.png
"${C[@]}" -size 64x64 xc:none -fill '#1f6fb2' -stroke '#0d3d66' -strokewidth 2 \
  -draw "polygon 58,32 34,8 34,22 6,22 6,42 34,42 34,56" next.png

# Close: a red disc with a white cross.
"${C[@]}" -size 64x64 xc:none -fill '#d9342b' -stroke '#8c1c16' -strokewidth 2 -draw "circle 32,32 32,4" \
  -stroke white -strokewidth 7 -draw "line 20,20 44,44" -draw "line 44,20 20,44" close.png

# New: a page with a plus.
"${C[@]}" -size 64x64 xc:none -fill white -stroke '#555' -strokewidth 2 \
  -draw "polygon 12,4 40,4 52,16 52,60 12,60" -fill '#ddd' -draw "polygon 40,4 40,16 52,16" \
  -stroke '#2e8b2e' -strokewidth 6 -draw "line 32,26 32,50" -draw "line 20,38 44,38" new.png

# Save: a diskette.
"${C[@]}" -size 64x64 xc:none -fill '#2c4f7c' -stroke '#16283f' -strokewidth 2 \
  -draw "polygon 6,6 50,6 58,14 58,58 6,58" -fill '#cfd8e3' -stroke none -draw "rectangle 16,6 46,24" \
  -fill '#2c4f7c' -draw "rectangle 36,9 42,21" -fill white -draw "rectangle 14,34 50,56" save.png

# Find: binoculars.
"${C[@]}" -size 64x64 xc:none -fill '#333' -stroke black -strokewidth 2 \
  -draw "roundrectangle 8,12 26,40 4,4" -draw "roundrectangle 38,12 56,40 4,4" -draw "rectangle 24,18 40,30" \
  -fill '#6fa8dc' -draw "circle 17,46 17,32" -draw "circle 47,46 47,32" \
  -fill '#cfe2f3' -stroke none -draw "circle 13,42 13,38" -draw "circle 43,42 43,38" find.png

# Erase: a waste basket.
"${C[@]}" -size 64x64 xc:none -fill '#7f8c8d' -stroke '#3d4444' -strokewidth 2 \
  -draw "rectangle 10,10 54,16" -draw "rectangle 26,4 38,10" -draw "polygon 14,18 50,18 46,60 18,60" \
  -stroke '#3d4444' -strokewidth 2 -draw "line 24,24 26,54" -draw "line 32,24 32,54" -draw "line 40,24 38,54" \
  erase.png

# Help pictures: how a receipt printer and its drawer are connected.
"${C[@]}" -size 320x200 xc:white -fill none -stroke '#888' -draw "rectangle 0,0 319,199" \
  -fill '#cfd8e3' -stroke '#333' -strokewidth 2 -draw "rectangle 20,60 110,130" -draw "rectangle 40,130 90,140" \
  -fill '#9aa3ad' -draw "roundrectangle 200,70 290,130 8,8" -fill white -draw "rectangle 220,50 270,72" \
  -fill none -stroke '#1f6fb2' -strokewidth 4 -draw "line 110,100 200,100" \
  -stroke none -fill black -font "$font" -pointsize 16 -draw "text 30,100 'Station'" \
  -draw "text 190,160 'Receipt printer'" -fill '#1f6fb2' -draw "text 128,90 'LPT1:'" \
  -fill black -pointsize 13 -draw "text 14,30 'Front Printer Port: the port of the printer'" help_port.png
"${C[@]}" -size 320x200 xc:white -fill none -stroke '#888' -draw "rectangle 0,0 319,199" \
  -fill '#9aa3ad' -stroke '#333' -strokewidth 2 -draw "roundrectangle 30,50 120,110 8,8" \
  -fill '#555' -draw "rectangle 180,110 300,160" -fill '#bbb' -draw "rectangle 190,120 290,135" \
  -fill none -stroke '#1f6fb2' -strokewidth 4 -draw "line 120,90 180,130" \
  -stroke none -fill black -font "$font" -pointsize 16 -draw "text 30,140 'Printer'" \
  -draw "text 195,185 'Cash drawer'" -fill '#1f6fb2' -draw "text 132,100 'LPT1:'" \
  -fill black -pointsize 14 -draw "text 20,30 'Cash Drawer: the port of the drawer cable'" help_drawer.png
"${C[@]}" -size 64x64 xc:none -fill '#1f6fb2' -stroke '#0d3d66' -strokewidth 2 -draw "circle 32,32 32,4" \
  -stroke none -fill white -font "$font" -pointsize 40 -gravity center -annotate +0+2 '?' help_small.png

# The about box's window icon: 18 frames of a turning comb of light.
for i in $(seq 0 17); do
  angle=$((i * 20))
  "${C[@]}" -size 32x32 xc:none -fill '#2e8b57' -stroke '#14452b' -strokewidth 1 -draw "circle 16,16 16,2" \
    -stroke '#ffe066' -strokewidth 4 -draw "translate 16,16 rotate $angle line 0,0 0,-12" \
    -fill white -stroke none -draw "circle 16,16 16,13" "$(printf 'icon%02d.png' "$i")"
done
