#!/bin/sh
# Installs what is needed, builds the game and starts it from its staged run
# directory (the game reads its pictures, sounds, font and insults from there).
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup-debian.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target vorblex
cd build/run
exec ./vorblex "$@"
