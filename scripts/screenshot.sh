#!/usr/bin/env bash
# A picture of the real window after a search, under Xvfb:
#   scripts/screenshot.sh [OUTPUT.png] [SEARCH_TEXT] [ROW]
# Builds first; works in a scratch folder holding a copy of the gazetteer.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")
search=${2:-Gö}
row=${3:-}
scripts/deps.sh xvfb xauth
scripts/build.sh >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/data/orte-7sp.ort "$work/"
mkdir -p "$(dirname "$out")"
bin=$PWD/build/bin
(cd "$work" && xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
   "$bin/veldaris_screenshot" "$out" "$search" $row)
