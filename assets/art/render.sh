#!/bin/sh
# Regenerates every picture in data/img and the icon in data/icon from the
# drawing script beside this file.  Needs python3, librsvg2-bin (rsvg-convert),
# imagemagick (/usr/bin/convert) and fonts-liberation + fonts-dejavu-core.
# The output is the same on every run.
set -eu

HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
IMG="$ROOT/data/img"
ICON="$ROOT/data/icon"
CONVERT=/usr/bin/convert

for tool in python3 rsvg-convert "$CONVERT"; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "render.sh: $tool is missing (install python3, librsvg2-bin, imagemagick)"
    exit 1
  fi
done

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT INT TERM

python3 "$HERE/draw.py" "$TMP"
mkdir -p "$IMG" "$ICON"

# Settings that keep the files small and free of time stamps.
PNGOPTS="-strip -define png:exclude-chunks=date,time -define png:compression-level=9 -define png:compression-filter=5 -define png:compression-strategy=1"

raster() { # name width height -> $TMP/name.png
  rsvg-convert --width "$2" --height "$3" --format png --output "$TMP/$1.png" "$TMP/$1.svg"
}

png() { # name width height
  raster "$1" "$2" "$3"
  # shellcheck disable=SC2086
  "$CONVERT" "$TMP/$1.png" $PNGOPTS "PNG32:$IMG/$1.png"
}

jpg() { # name width height
  raster "$1" "$2" "$3"
  "$CONVERT" "$TMP/$1.png" -background white -alpha remove -alpha off -strip \
    -sampling-factor 4:2:0 -interlace none -quality 88 "$IMG/$1.jpg"
}

for name in splash instructions instructions-easy instructions-normal instructions-hard end bg; do
  jpg "$name" 800 800
done
for name in robot-red robot-red-on robot-blue robot-blue-on interface-blue interface-red interface-blue-won interface-red-won lose-red lose-blue; do
  png "$name" 800 800
done
png speech 1000 300
png cursor 32 32

cp "$TMP/vorblex.svg" "$ICON/vorblex.svg"
raster vorblex 256 256
# shellcheck disable=SC2086
"$CONVERT" "$TMP/vorblex.png" $PNGOPTS "PNG32:$ICON/vorblex-256.png"

echo "render.sh: pictures written to $IMG and $ICON"
