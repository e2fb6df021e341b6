#!/usr/bin/env bash
# Runs the fuzz target of the record reader and the search pass for a while:
#   scripts/fuzz.sh [SECONDS]
# It needs clang (libFuzzer); without it, it says so and ends without failing. The seed
# corpus is tests/fuzz/corpus; what the run finds on its way stays in build-fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
if ! command -v clang++ >/dev/null; then
  echo "== fuzzing skipped: clang++ is not installed (libFuzzer comes with clang)"
  exit 0
fi
echo "== fuzzing the record reader and the search pass for ${seconds} s"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELDARIS_GUI=OFF -DVELDARIS_BENCH=OFF -DVELDARIS_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target veldaris_fuzz_records
rm -rf build-fuzz/findings
mkdir -p build-fuzz/corpus build-fuzz/findings
build-fuzz/bin/veldaris_fuzz_records -max_total_time="$seconds" -timeout=10 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix=build-fuzz/findings/ \
  build-fuzz/corpus tests/fuzz/corpus 2>&1 | grep -E "^(Done|stat::number_of_executed|stat::new_units|broken)|ERROR|SUMMARY" || true
if compgen -G "build-fuzz/findings/*" >/dev/null; then
  echo "the fuzz target found inputs that break it:" build-fuzz/findings/*
  exit 1
fi
