#!/usr/bin/env bash
# Draws the stylist prompt's picture (ImageMagick): black on bright green,
# the request for the ID in English and below it in Traditional Chinese.
# The PNG file is kept in the repository; run this only to change it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
convert -size 128x35 xc:'#00ff00' -fill black -gravity north \
  -font Liberation-Sans-Bold -pointsize 12 -annotate +0+2 'Please Enter Your ID' \
  -font /usr/share/fonts/truetype/wqy/wqy-microhei.ttc -pointsize 13 -annotate +0+17 '請輸入您的編號' \
  enterid.png
