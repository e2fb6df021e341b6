#!/usr/bin/env bash
# Runs the fuzz targets of the record reader and the search pass, and of the GEDCOM reader and
# the folding of names, side by side for a while:
#   scripts/fuzz.sh [SECONDS]
# It needs clang (libFuzzer); without it, it says so and ends without failing. The seed
# corpora are tests/fuzz/corpus and tests/fuzz/gedcom-corpus; what a run finds on its way
# stays in build-fuzz/corpus and build-fuzz/gedcom-corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
if ! command -v clang++ >/dev/null; then
  echo "== fuzzing skipped: clang++ is not installed (libFuzzer comes with clang)"
  exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELDARIS_GUI=OFF -DVELDARIS_BENCH=OFF -DVELDARIS_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target veldaris_fuzz_records veldaris_fuzz_gedcom
rm -rf build-fuzz/findings
mkdir -p build-fuzz/corpus build-fuzz/gedcom-corpus build-fuzz/findings
# fuzz TARGET SECONDS CORPUS SEEDS
fuzz() {
  build-fuzz/bin/"$1" -max_total_time="$2" -timeout=10 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/findings/ \
    "$3" "$4" 2>&1 | grep -E "^(Done|stat::number_of_executed|stat::new_units|broken)|ERROR|SUMMARY" || true
}
# The two side by side, each on a core of its own where there are two.
echo "== fuzzing the record reader and the search pass, and the GEDCOM reader and the folding of names, for ${seconds} s"
fuzz veldaris_fuzz_gedcom "$seconds" build-fuzz/gedcom-corpus tests/fuzz/gedcom-corpus > build-fuzz/gedcom.log &
gedcom=$!
fuzz veldaris_fuzz_records "$seconds" build-fuzz/corpus tests/fuzz/corpus
wait "$gedcom"
cat build-fuzz/gedcom.log
if compgen -G "build-fuzz/findings/*" >/dev/null; then
  echo "the fuzz targets found inputs that break them:" build-fuzz/findings/*
  exit 1
fi
