#!/usr/bin/env bash
# Draws the pictures of the report windows' buttons (ImageMagick). The PNG
# files are kept in the repository; run this only to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
font="Liberation-Sans-Bold"
C=(convert -background none)

# Close: a red disc with a white cross.
"${C[@]}" -size 64x64 xc:none -fill '#d9342b' -stroke '#8c1c16' -strokewidth 2 -draw "circle 32,32 32,4" \
  -stroke white -strokewidth 7 -draw "line 20,20 44,44" -draw "line 44,20 20,44" close.png

# Export: a green sheet with a grid and an arrow out of it.
"${C[@]}" -size 64x64 xc:none -fill white -stroke '#1d6f42' -strokewidth 2 -draw "rectangle 6,6 46,58" \
  -stroke '#7fb89a' -strokewidth 1 -draw "line 6,18 46,18" -draw "line 6,30 46,30" -draw "line 6,42 46,42" \
  -draw "line 20,6 20,58" -draw "line 33,6 33,58" \
  -fill '#1d6f42' -stroke none -draw "rectangle 6,6 46,14" \
  -fill '#f2a900' -stroke '#8a6000' -strokewidth 1 -draw "polygon 36,36 50,36 50,28 62,42 50,56 50,48 36,48" sheet.png

# Print preview: a page with lines under a magnifying glass.
"${C[@]}" -size 64x64 xc:none -fill white -stroke '#555' -strokewidth 2 -draw "rectangle 8,4 44,56" \
  -stroke '#999' -strokewidth 2 -draw "line 14,14 38,14" -draw "line 14,22 38,22" -draw "line 14,30 30,30" \
  -fill '#cfe2f3' -stroke '#1f4e79' -strokewidth 4 -draw "circle 38,38 38,24" \
  -stroke '#1f4e79' -strokewidth 7 -draw "line 48,48 60,60" preview.png

# Row lines: a small table whose rows are ruled.
"${C[@]}" -size 48x80 xc:none -fill white -stroke '#333' -strokewidth 2 -draw "rectangle 4,4 44,76" \
  -stroke '#888' -strokewidth 2 -draw "line 4,20 44,20" -draw "line 4,34 44,34" -draw "line 4,48 44,48" \
  -draw "line 4,62 44,62" -stroke none -fill '#1f6fb2' -font "$font" -pointsize 12 -draw "text 10,16 'ROW'" rows.png
