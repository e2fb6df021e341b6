#!/usr/bin/env bash
# A picture of the tree window under Xvfb, after a family tree was read, one value selected
# and one of its candidates chosen; maximised with --maximiert; the map with the crown lands of
# 1910 with --1910; with --dialog, a picture of the save dialog as well:
#   scripts/stammbaum-screenshot.sh [OUTPUT.png] [TREE.ged] [VALUE] [CANDIDATE_ROW] [--maximiert]
#                                   [--1910] [--dialog DIALOG.png]
# Builds first; works on a copy of the gazetteer and the files beside it (coordinates, the
# monarchy's places, the parts of cities, the names elsewhere), in a scratch folder. The window
# speaks the language of LANG (LANG=de_AT.UTF-8: the locale is made in the build folder where
# the system has none).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/stammbaum.png}")
tree=$(realpath "${2:-tests/data/alte-ortsangaben.ged}")
value=${3:-St. Georgen, Oesterreich}
row=${4:-2}
shift $(( $# < 4 ? $# : 4 ))
extra=()
while (($#)); do
  case $1 in
    --dialog) extra+=(--dialog "$(realpath -m "$2")"); shift 2 ;;
    *) extra+=("$1"); shift ;;
  esac
done
scripts/deps.sh xvfb xauth openbox
scripts/build.sh >/dev/null
if [ -z "${LOCPATH:-}" ]; then
  bash tests/locales.sh build/locale de_AT de_DE
  export LOCPATH=$PWD/build/locale
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/data/orte-7sp.* "$tree" "$work/"
mkdir -p "$(dirname "$out")"
# With a window manager, which maximises the window as a desktop does.
xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" bash -c '
  openbox >/dev/null 2>&1 &
  sleep 1
  exec "$@"' screenshot \
  build/bin/veldaris_stammbaum_screenshot "$out" "$work/orte-7sp.ort" "$work/$(basename "$tree")" "$value" "$row" \
  "${extra[@]}"
