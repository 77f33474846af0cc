#!/bin/sh
# Installs every Debian 12 package that building, running and testing Vorblex
# need. Safe to run again: apt-get skips what is already there.
set -eu

PACKAGES="
  build-essential cmake pkg-config git
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri
  libdevil-dev libfreetype-dev
  libsdl2-dev libsdl2-mixer-dev
  libespeak-ng-dev espeak-ng-data
  libgtest-dev libgmock-dev libbenchmark-dev
  libhunspell-dev hunspell-en-us hunspell-en-gb openbox wmctrl
  clang libclang-rt-14-dev clang-format
  xvfb xauth xdotool x11-utils imagemagick
  sox libsox-fmt-mp3 lame
  librsvg2-bin fonts-liberation fonts-dejavu-core
  python3 desktop-file-utils appstream-util man-db
"

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  # shellcheck disable=SC2086
  $SUDO apt-get install -y --no-install-recommends $missing
fi
