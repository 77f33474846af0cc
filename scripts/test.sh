#!/bin/sh
# Installs what is needed, builds everything and runs the whole test suite
# (unit, GL and end-to-end tests) under an X server of its own.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup-debian.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
