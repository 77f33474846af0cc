#!/bin/sh
# Builds the insult loader and matcher fuzz target with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) and runs it.
#   sh tests/fuzz/run.sh [seconds] [build folder]
# Defaults: 600 seconds, build-fuzz. The corpus and any crash files stay in
# the build folder.
set -eu
cd "$(dirname "$0")/../.."
seconds=${1:-600}
out=${2:-build-fuzz}
mkdir -p "$out/corpus"

clang++ -std=c++17 -O1 -g -I. -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -fno-omit-frame-pointer \
  insults/InsultDatabase.cpp insults/InsultRandom.cpp insults/InsultWords.cpp \
  insults/WordSetSearch.cpp tests/insults/LiteralSearch.cpp tests/fuzz/InsultFuzz.cpp \
  -o "$out/insult_fuzz"

# A few real lines as a starting point.
head -n 40 data/insults.txt > "$out/corpus/seed-list.txt"

cd "$out"
exec ./insult_fuzz -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix=./ corpus
