#!/bin/sh
# Fails when a C++ file of the game does not follow .clang-format.
set -eu
cd "$(dirname "$0")/.."
files=$(find app graphics anim audio insults battle tests bench -name '*.cpp' -o -name '*.h' | sort)
clang-format --dry-run --Werror $files
echo "$(echo "$files" | wc -l) files follow .clang-format"
