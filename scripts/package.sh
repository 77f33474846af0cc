#!/bin/sh
# Builds the Debian package build/vorblex_<version>_<arch>.deb with debhelper
# (debian/), from a copy of the sources in build-deb/, so that the package
# build leaves the source tree and the test build in build/ alone: it only
# drops the .deb into build/. Installs what the build needs; safe to run again.
#
#   sudo apt-get install ./build/vorblex_0.1.0_amd64.deb   installs it
#   sudo apt-get purge vorblex                             removes it
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# The package tools first; the package lists are refreshed only when
# something is missing.
missing=""
for p in build-essential dpkg-dev debhelper; do
  installed "$p" || missing="$missing $p"
done
updated=""
if [ -n "$missing" ]; then
  $SUDO apt-get update
  updated=1
  # shellcheck disable=SC2086
  $SUDO apt-get install -y --no-install-recommends $missing
fi
# Then whatever debian/control's Build-Depends still lack.
if ! dpkg-checkbuilddeps >/dev/null 2>&1; then
  [ -n "$updated" ] || $SUDO apt-get update
  $SUDO apt-get build-dep -y --no-install-recommends ./
fi
dpkg-checkbuilddeps

# One version for the game and its package: the CMake project's.
version=$(sed -n 's/^project(Vorblex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
packaged=$(dpkg-parsechangelog -S Version)
if [ -z "$version" ] || [ "$version" != "$packaged" ]; then
  echo "The CMake project says version '$version' but debian/changelog says '$packaged':" \
    "add a changelog entry (dch -v $version)" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)

# dpkg-buildpackage works in the source tree and writes its results beside
# it, so it gets a fresh copy of the sources of its own.
src=build-deb/vorblex-$version
rm -rf build-deb
mkdir -p "$src"
tar -cf - --exclude=./.git --exclude='./build*' --exclude=./.cache --exclude='__pycache__' \
  --exclude='*.swp' . | tar -xf - -C "$src"

jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2
(cd "$src" && dpkg-buildpackage --no-sign -j"$jobs")

deb=vorblex_${version}_${arch}.deb
mkdir -p build
rm -f build/vorblex_*.deb
cp "build-deb/$deb" build/
echo "Built $top/build/$deb"
