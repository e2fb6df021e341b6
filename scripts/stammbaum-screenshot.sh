#!/usr/bin/env bash
# A picture of the tree window under Xvfb, after a family tree was read, one value selected
# and one of its candidates chosen; maximised with --maximiert; with --dialog, a picture of the
# save dialog as well:
#   scripts/stammbaum-screenshot.sh [OUTPUT.png] [TREE.ged] [VALUE] [CANDIDATE_ROW] [--maximiert]
#                                   [--dialog DIALOG.png]
# Builds first; works on a copy of the gazetteer, its coordinates and the places of the
# monarchy, in a scratch folder. The window speaks the language of LANG (LANG=de_AT.UTF-8: the
# locale is made in the build folder where the system has none).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/stammbaum.png}")
tree=$(realpath "${2:-tests/data/alte-ortsangaben.ged}")
value=${3:-Melk, Lower Austria, Austria}
row=${4:-1}
shift $(( $# < 4 ? $# : 4 ))
extra=()
while (($#)); do
  case $1 in
    --dialog) extra+=(--dialog "$(realpath -m "$2")"); shift 2 ;;
    *) extra+=("$1"); shift ;;
  esac
done
scripts/deps.sh xvfb xauth
scripts/build.sh >/dev/null
if [ -z "${LOCPATH:-}" ]; then
  bash tests/locales.sh build/locale de_AT de_DE
  export LOCPATH=$PWD/build/locale
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/data/orte-7sp.ort build/data/orte-7sp.koordinaten build/data/orte-7sp.monarchie "$tree" "$work/"
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" \
  build/bin/veldaris_stammbaum_screenshot "$out" "$work/orte-7sp.ort" "$work/$(basename "$tree")" "$value" "$row" \
  "${extra[@]}"
