#!/usr/bin/env bash
# Draws the keypad's digit pictures (ImageMagick): one picture per digit
# button, the digit large on a key face. The PNG files are kept in the
# repository; run this only to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for d in 0 1 2 3 4 5 6 7 8 9; do
  convert -size 84x40 xc:none -fill '#f4f4ff' -stroke '#8080c0' -strokewidth 2 \
    -draw "roundrectangle 1,1 82,38 8,8" -stroke none -fill '#101040' \
    -font Liberation-Sans-Bold -pointsize 34 -gravity center -annotate +0+1 "$d" "digit$d.png"
done
