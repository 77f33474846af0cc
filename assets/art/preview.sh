#!/bin/sh
# Assembles 800 x 600 views of the battle screen from the rendered pictures,
# placed the way the game places them, plus a contact sheet of every picture.
# Usage: preview.sh [OUTDIR]   (default /tmp/vorblex-preview; never the repo)
#
# Screen pixel (X, Y) of an 800 x 600 view shows virtual (X - 400, 300 - Y).
#   full-screen pictures: rows 100..699 of the 800 x 800 picture;
#   red robot picture at offset (-325, +75), blue robot at (+325, +75);
#   speech bubble scaled to 500 x 150 at (150, 25), flopped for blue.
set -eu

HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
IMG="$ROOT/data/img"
OUT=${1:-/tmp/vorblex-preview}
CONVERT=/usr/bin/convert
MONTAGE=/usr/bin/montage
FONT=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf

mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
case "$OUT/" in
  "$ROOT"/*)
    echo "preview.sh: refusing to write inside the repository ($OUT)"
    exit 1
    ;;
esac
for f in bg.jpg robot-red.png robot-blue-on.png interface-blue.png speech.png lose-red.png; do
  if [ ! -f "$IMG/$f" ]; then
    echo "preview.sh: $IMG/$f is missing; run assets/art/render.sh first"
    exit 1
  fi
done

screen() { # full-screen picture -> its visible 800 x 600 part
  echo "( $IMG/$1 -crop 800x600+0+100 +repage )"
}

# 1. the opening layout: blue to move, nobody talking
# shellcheck disable=SC2046
"$CONVERT" $(screen bg.jpg) \
  "$IMG/robot-red.png" -geometry -325+75 -composite \
  "$IMG/robot-blue.png" -geometry +325+75 -composite \
  $(screen interface-blue.png) -geometry +0+0 -composite \
  "$OUT/1-opening.png"

# 2. blue talking: lit robot, bubble mirrored for blue, sample text at the
#    game's text positions (bubble text from x -180, baselines 218 + k * -31.7,
#    at most two rows of insult and the strength;
#    entry line from x -350 at baseline -263; threshold from x 115 at -179)
# shellcheck disable=SC2046
"$CONVERT" $(screen bg.jpg) \
  "$IMG/robot-red.png" -geometry -325+75 -composite \
  "$IMG/robot-blue-on.png" -geometry +325+75 -composite \
  \( "$IMG/speech.png" -resize '500x150!' -flop \) -geometry +150+25 -composite \
  $(screen interface-red.png) -geometry +0+0 -composite \
  -font "$FONT" -fill black -pointsize 22 \
  -annotate +220+82 "Your circuits are so slow that a toaster" \
  -annotate +220+114 "beats you at chess, and your bolts rattle." \
  -annotate +220+145 "(strength 7)" \
  -annotate +50+563 "toaster chess" \
  -pointsize 35 -annotate +515+479 "42" \
  "$OUT/2-blue-talks.png"

# 3. red has lost: red robot turned -100 degrees (clockwise on screen) about
#    its quad centre, the lose banner in place over everything
# shellcheck disable=SC2046
"$CONVERT" $(screen bg.jpg) \
  \( "$IMG/robot-red.png" -background none -virtual-pixel transparent -distort SRT 100 \) \
  -geometry -325+75 -composite \
  "$IMG/robot-blue.png" -geometry +325+75 -composite \
  $(screen interface-red.png) -geometry +0+0 -composite \
  $(screen lose-red.png) -geometry +0+0 -composite \
  "$OUT/3-red-lost.png"

# 3b. blue losing, half way: blue robot turned 60 degrees counter-clockwise,
#     its banner still turned -30 degrees (clockwise) and 160 units high
# shellcheck disable=SC2046
"$CONVERT" $(screen bg.jpg) \
  "$IMG/robot-red.png" -geometry -325+75 -composite \
  \( "$IMG/robot-blue.png" -background none -virtual-pixel transparent -distort SRT -60 \) \
  -geometry +325+75 -composite \
  $(screen interface-blue.png) -geometry +0+0 -composite \
  \( "$IMG/lose-blue.png" -background none -virtual-pixel transparent -distort SRT 30 \
     -crop 800x600+0+100 +repage \) -geometry +0-160 -composite \
  "$OUT/3b-blue-falling.png"

# 4. layout check: the opening view with the game's hot spots outlined in
#    magenta (SEND area, entry box, the threshold's paper window, the area
#    the bubble text may cover, bubble text start, robot centre lines and the
#    panel's top edge)
"$CONVERT" "$OUT/2-blue-talks.png" -fill none -stroke magenta -strokewidth 1 \
  -draw "rectangle 662,536 766,570" \
  -draw "rectangle 40,535 650,575" \
  -draw "rectangle 506,438 566,488" \
  -draw "rectangle 214,64 646,153" \
  -draw "line 220,25 220,175" \
  -draw "line 75,0 75,600" -draw "line 725,0 725,600" \
  -draw "line 0,435 800,435" \
  "$OUT/4-layout-check.png"

# 5. the talking flicker side by side, and every picture on one sheet
"$CONVERT" \( "$IMG/robot-red.png" -crop 475x525+325+0 +repage \) \
  \( "$IMG/robot-red-on.png" -crop 475x525+325+0 +repage \) \
  \( "$IMG/robot-blue.png" -crop 475x525+0+0 +repage \) \
  \( "$IMG/robot-blue-on.png" -crop 475x525+0+0 +repage \) \
  -background '#8f8aa0' +append -flatten "$OUT/5-robots.png"

"$MONTAGE" -background '#8f8aa0' -fill white -font "$FONT" -pointsize 14 -label '%f' \
  "$IMG"/*.jpg "$IMG"/*.png "$ROOT/data/icon/vorblex-256.png" \
  -geometry 200x200+8+8 -tile 5x "$OUT/6-contact-sheet.png"

echo "preview.sh: views written to $OUT"
ls "$OUT"
