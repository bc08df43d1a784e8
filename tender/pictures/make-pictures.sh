#!/usr/bin/env bash
# Draws the tender dialog's pictures (ImageMagick): the keypad's green keys,
# the card brands, the payment product's mark, the clerk and the cash note.
# The PNG files are kept in the repository; run this only to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
font="Liberation-Sans-Bold"
C=(convert -background none)

# Keys: a bright green key face with its digits (none on the blank key).
key() {
  "${C[@]}" -size 84x46 xc:none -fill '#00ff00' -stroke '#008000' -strokewidth 2 \
    -draw "roundrectangle 1,1 82,44 8,8" -fill '#60ff60' -stroke none -draw "roundrectangle 5,4 78,14 5,5" \
    -fill '#003300' -font "$font" -pointsize 30 -gravity center -annotate +0+2 "$1" "$2"
}
for d in 0 1 2 3 4 5 6 7 8 9; do key "$d" "key$d.png"; done
key "00" key00.png
key "" keyblank.png

# Card brands, each a small card with its own colours and word.
"${C[@]}" -size 72x44 xc:none -fill white -stroke '#1a1f71' -strokewidth 2 -draw "roundrectangle 1,1 70,42 5,5" \
  -stroke none -fill '#1a1f71' -draw "rectangle 3,3 68,9" -fill '#f7b600' -draw "rectangle 3,35 68,40" \
  -fill '#1a1f71' -font "Liberation-Sans-Bold-Italic" -pointsize 21 -gravity center -annotate +0+0 'VISA' visa.png
"${C[@]}" -size 72x44 xc:none -fill '#222' -stroke '#000' -strokewidth 2 -draw "roundrectangle 1,1 70,42 5,5" \
  -stroke none -fill '#eb001b' -draw "circle 28,19 28,6" -fill '#f79e1b' -draw "circle 44,19 44,6" \
  -fill white -font "$font" -pointsize 10 -gravity south -annotate +0+3 'Master' master.png
"${C[@]}" -size 72x44 xc:none -fill '#2e77bc' -stroke '#134a7c' -strokewidth 2 -draw "roundrectangle 1,1 70,42 5,5" \
  -stroke white -strokewidth 1 -fill none -draw "rectangle 6,8 65,35" -stroke none \
  -fill white -font "$font" -pointsize 17 -gravity center -annotate +0+0 'AMEX' amex.png
"${C[@]}" -size 72x44 xc:none -fill white -stroke '#555' -strokewidth 2 -draw "roundrectangle 1,1 70,42 5,5" \
  -stroke none -fill '#ff6000' -draw "rectangle 3,31 68,40" \
  -fill '#222' -font "$font" -pointsize 12 -gravity center -annotate +0-5 'DISCOVER' discover.png

# The payment product's mark: a card and its name.
"${C[@]}" -size 79x47 xc:none -fill '#0b5563' -stroke '#06323a' -strokewidth 2 -draw "roundrectangle 1,1 77,45 6,6" \
  -fill '#e8f6f8' -stroke none -draw "roundrectangle 7,9 29,25 3,3" -fill '#0b5563' -draw "rectangle 7,13 29,16" \
  -fill '#ffd166' -draw "rectangle 10,19 16,23" \
  -fill white -font "$font" -pointsize 14 -gravity northeast -annotate +4+9 'Vantix' \
  -pointsize 8 -gravity south -annotate +0+5 'PAYMENTS' vantix.png

# The clerk: head and shoulders.
"${C[@]}" -size 32x32 xc:none -fill '#2f5d8a' -stroke '#173049' -strokewidth 1 \
  -draw "circle 16,10 16,3" -draw "roundrectangle 5,18 27,31 7,7" clerk.png

# Cash: a bank note.
"${C[@]}" -size 76x30 xc:none -fill '#6fbf73' -stroke '#2e6b31' -strokewidth 2 -draw "roundrectangle 1,1 74,28 4,4" \
  -fill '#a5d6a7' -stroke '#2e6b31' -strokewidth 1 -draw "circle 16,15 16,6" \
  -stroke none -fill '#1b4d1e' -font "$font" -pointsize 13 -gravity center -annotate -22+1 '$' \
  -pointsize 15 -annotate +12+1 'CASH' cash.png

# The removal dialog's back-space key: a left-pointing key with a cross.
"${C[@]}" -size 60x40 xc:none -fill '#404080' -stroke none \
  -draw "polygon 4,20 18,6 56,6 56,34 18,34" -stroke white -strokewidth 3 \
  -draw "line 28,13 42,27" -draw "line 42,13 28,27" backspace.png
