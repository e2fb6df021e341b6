#!/usr/bin/env bash
# The benchmark: installs what is missing (ripgrep for its reference), builds in Release and
# runs it on the shared data file (or the file given), and on the gazetteer for the window and
# for veldaris-ort (its summary line: ort-summary gedcom_memchr=R tolerant_exact=R). Its last
# line is the summary:
#   bench-summary narrow_memchr=R broad_memchr=R blank_copy=R narrow_rg=R click_memchr=R row_bytes=N gui_blank_ms=T
#
#   scripts/bench.sh [DATA_FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh ripgrep >&2
data=$(realpath -m "${1:-../shared/data/orte-7sp.ort}")
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDARIS_BENCH=ON >&2
cmake --build build-release -j "$(nproc)" --target veldaris_bench veldaris_gui_bench veldaris_ort_bench gazetteer >&2
if [ ! -e "$data" ]; then
  echo "no data file at $data: the benchmark needs the shared data file or one given" >&2
  exit 1
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
# veldaris-ort on the full gazetteer: a family tree's report, the tolerant search.
build-release/bin/veldaris_ort_bench build-release/data/orte-7sp.ort
gui=$(QT_QPA_PLATFORM=offscreen build-release/bin/veldaris_gui_bench build-release/data/orte-7sp.ort | tee /dev/stderr |
      sed -n 's/^gui_blank_ms=\([^ ]*\).*/\1/p')
build-release/bin/veldaris_bench "$data" --gui-blank-ms "${gui:--1}"
