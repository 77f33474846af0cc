#!/bin/sh
# Installs what is needed, builds everything and runs the whole test suite
# (unit, GL and end-to-end tests) under an X server of its own.
#
#   sh scripts/test.sh             the normal build, in build/
#   sh scripts/test.sh --sanitize  the same suite on a build with
#                                  AddressSanitizer, LeakSanitizer and
#                                  UndefinedBehaviorSanitizer, in build-sanitize/
# Other arguments go to ctest.
set -eu
cd "$(dirname "$0")/.."
build=build
options="-DVORBLEX_SANITIZE=OFF"
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build=build-sanitize
  options="-DVORBLEX_SANITIZE=ON -DVORBLEX_BENCHMARKS=OFF"
  # Any report fails the program that makes it. The suppressions name the
  # system libraries whose own records live to the end of the process.
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
  export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
# Tests that open no window of their own still probe audio while listing.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
sh scripts/setup-debian.sh
# shellcheck disable=SC2086
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo $options
cmake --build "$build" -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
