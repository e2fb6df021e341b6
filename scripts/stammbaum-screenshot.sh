#!/usr/bin/env bash
# A picture of the tree window under Xvfb, after a family tree was read, one value selected
# and one of its candidates chosen:
#   scripts/stammbaum-screenshot.sh [OUTPUT.png] [TREE.ged] [VALUE] [CANDIDATE_ROW]
# Builds first; works on a copy of the gazetteer, its coordinates and the places of the
# monarchy, in a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/stammbaum.png}")
tree=$(realpath "${2:-tests/data/alte-ortsangaben.ged}")
value=${3:-Melk, Lower Austria, Austria}
row=${4:-1}
scripts/deps.sh xvfb xauth
scripts/build.sh >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/data/orte-7sp.ort build/data/orte-7sp.koordinaten build/data/orte-7sp.monarchie "$tree" "$work/"
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  build/bin/veldaris_stammbaum_screenshot "$out" "$work/orte-7sp.ort" "$work/$(basename "$tree")" "$value" "$row"
