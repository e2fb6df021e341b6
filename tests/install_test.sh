#!/usr/bin/env bash
# The installed program: installs the build into a scratch DESTDIR, checks the tree, and
# starts the launcher as a new user would (a fresh home folder): the working folder is made,
# the gazetteer copied, a search in the real window works; a second start keeps the user's
# copy. The search is typed into the window under Xvfb with a window manager where xvfb-run,
# openbox and xdotool are installed; elsewhere the program is only started, offscreen.
#
#   tests/install_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
scratch=$(mktemp -d)
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

dest=$scratch/dest
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
id=invalid.veldaris.Veldaris
tree_id=invalid.veldaris.Stammbaum
for f in usr/bin/veldaris usr/bin/veldaris-import usr/bin/veldaris-ort usr/bin/veldaris-stammbaum usr/libexec/veldaris/veldaris \
         usr/libexec/veldaris/wandlix-34 usr/share/veldaris/orte-7sp.ort usr/share/veldaris/orte-7sp.koordinaten \
         usr/share/veldaris/orte-7sp.monarchie usr/share/veldaris/orte-7sp.ortsteile usr/share/veldaris/orte-7sp.welt usr/share/veldaris/orte-7sp.karte \
         usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/$id.png usr/share/icons/hicolor/64x64/apps/$id.png \
         usr/share/icons/hicolor/128x128/apps/$id.png usr/share/icons/hicolor/256x256/apps/$id.png \
         usr/share/applications/$tree_id.desktop usr/share/metainfo/$tree_id.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/$tree_id.png usr/share/icons/hicolor/256x256/apps/$tree_id.png \
         usr/share/icons/hicolor/scalable/apps/$tree_id.svg usr/share/man/man1/veldaris-stammbaum.1.gz \
         usr/share/man/man1/veldaris.1.gz usr/share/man/man1/veldaris-ort.1.gz usr/share/doc/veldaris/copyright usr/share/doc/veldaris/LICENSE; do
  [ -e "$dest/$f" ] || fail "not installed: $f"
done
[ -x "$dest/usr/bin/veldaris" ] || fail "the launcher is not executable"
[ "$(grep -c $'\r$' "$dest/usr/share/veldaris/orte-7sp.ort")" -eq 18957 ] || fail "the gazetteer has not 18957 lines"
echo "installed tree: complete"
# Without a working copy of the user, the companion program searches the installed gazetteer.
found=$(env -u XDG_DATA_HOME HOME="$scratch/nobody" "$dest/usr/bin/veldaris-ort" Gößl) || fail "veldaris-ort Gößl"
[ "$found" = "Goessl, Liezen, Steiermark, AUSTRIA" ] || fail "veldaris-ort Gößl gave: $found"
csv=$(env -u XDG_DATA_HOME HOME="$scratch/nobody" "$dest/usr/bin/veldaris-ort" --format csv Gößl) || fail "veldaris-ort --format csv"
grep -q ',47\.[0-9]*,13\.[0-9]*.$' <<<"$csv" || fail "no coordinates beside the installed gazetteer: $csv"
abroad=$(env -u XDG_DATA_HOME HOME="$scratch/nobody" "$dest/usr/bin/veldaris-ort" --monarchie Brünn) || fail "veldaris-ort --monarchie Brünn"
grep -qx 'Brno, Tschechien' <<<"$abroad" || fail "veldaris-ort --monarchie Brünn gave: $abroad"
printf '0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 BIRT\n2 PLAC Wien-Gumpendorf\n0 TRLR\n' > "$scratch/vorstadt.ged"
suburb=$(env -u XDG_DATA_HOME HOME="$scratch/nobody" "$dest/usr/bin/veldaris-ort" --gedcom "$scratch/vorstadt.ged" 2>/dev/null) ||
  fail "veldaris-ort --gedcom with a suburb"
grep -qF 'Wien-Gumpendorf,1,eindeutig,"Wien, Mariahilf, Wien, Wien, AUSTRIA"' <<<"$suburb" ||
  fail "the installed veldaris-ort does not find Vienna's suburbs: $suburb"
echo "veldaris-ort: finds the installed gazetteer, its coordinates, the places of the monarchy and the suburbs"

grep -qx 'MimeType=application/x-gedcom;' "$dest/usr/share/applications/$tree_id.desktop" ||
  fail "the desktop entry of Veldaris Stammbaum does not open GEDCOM files"
grep -qx 'Exec=veldaris-stammbaum %f' "$dest/usr/share/applications/$tree_id.desktop" ||
  fail "the desktop entry of Veldaris Stammbaum does not pass the file"
if command -v desktop-file-validate >/dev/null; then
  for app in $id $tree_id; do
    desktop-file-validate "$dest/usr/share/applications/$app.desktop" || fail "desktop entry $app"
  done
  echo "desktop entries: valid"
else
  echo "desktop-file-validate is not installed: desktop entry not checked"
fi
if command -v appstreamcli >/dev/null; then
  for app in $id $tree_id; do
    appstreamcli validate --no-net "$dest/usr/share/metainfo/$app.metainfo.xml" >/dev/null || fail "metainfo $app"
  done
  echo "metainfo: valid"
else
  echo "appstreamcli is not installed: metainfo not checked"
fi

export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
work=$HOME/.local/share/veldaris

# Waits until the launcher has become the program and the program holds its working folder.
started() {
  for _ in $(seq 100); do
    if [ -e "$work/veldaris.lck" ] && [ "$(readlink "/proc/$app/exe" 2>/dev/null)" = "$dest/usr/libexec/veldaris/veldaris" ]; then
      sleep 0.5
      kill -0 "$app" 2>/dev/null && return 0
    fi
    sleep 0.1
  done
  fail "the program did not start in $work"
}

if command -v xvfb-run >/dev/null && command -v openbox >/dev/null && command -v xdotool >/dev/null; then
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
    set -euo pipefail
    openbox >/dev/null 2>&1 &
    sleep 1
    "$1/usr/bin/veldaris" >/dev/null 2>&1 &
    app=$!
    trap "kill $app 2>/dev/null || true" EXIT
    for _ in $(seq 100); do
      windows=$(xdotool search --name "Veldaris in" 2>/dev/null || true)
      read -r window <<<"$windows" || true
      [ -n "$window" ] && break
      sleep 0.1
    done
    [ -n "${window:-}" ] || { echo "FAIL: no window" >&2; exit 1; }
    xdotool windowactivate --sync "$window"
    sleep 0.3
    xdotool type --delay 30 Linz
    xdotool key Return
    for _ in $(seq 100); do
      grep -q "\"Linz\",\"Linz\",\"Linz Stadt\"" "$2/ergebdat.txt" 2>/dev/null && exit 0
      sleep 0.1
    done
    echo "FAIL: the search for Linz wrote no result" >&2
    exit 1
  ' _ "$dest" "$work" || fail "first start"
  echo "first start: working folder made, gazetteer copied, a search in the window found Linz"
else
  QT_QPA_PLATFORM=offscreen "$dest/usr/bin/veldaris" >/dev/null 2>&1 &
  app=$!
  started
  kill "$app"; wait "$app" 2>/dev/null || true; app=""
  echo "first start: working folder made, gazetteer copied (no xvfb-run, openbox and xdotool: no search typed)"
fi
cmp -s "$work/orte-7sp.ort" "$dest/usr/share/veldaris/orte-7sp.ort" || fail "the working copy differs from the gazetteer"
cmp -s "$work/orte-7sp.koordinaten" "$dest/usr/share/veldaris/orte-7sp.koordinaten" || fail "no coordinates beside the working copy"

# The user's own places survive every later start.
printf '"Testdorf","Testgemeinde","Bezirk","W","1234",,\r\n' >> "$work/orte-7sp.ort"
before=$(sha256sum < "$work/orte-7sp.ort")
QT_QPA_PLATFORM=offscreen "$dest/usr/bin/veldaris" >/dev/null 2>&1 &
app=$!
started
kill "$app"; wait "$app" 2>/dev/null || true; app=""
[ "$(sha256sum < "$work/orte-7sp.ort")" = "$before" ] || fail "a second start replaced the user's copy"
echo "second start: the user's copy, with its appended place, kept"

# The tree window starts from the installed tree on a family tree and stays up while it reads
# and checks it against the installed gazetteer.
tree=$(dirname "$(realpath "$0")")/data/alte-ortsangaben.ged
QT_QPA_PLATFORM=offscreen "$dest/usr/bin/veldaris-stammbaum" "$tree" >"$scratch/stammbaum.log" 2>&1 &
app=$!
sleep 2
kill -0 "$app" 2>/dev/null || fail "veldaris-stammbaum ended: $(cat "$scratch/stammbaum.log")"
kill "$app"; wait "$app" 2>/dev/null || true; app=""
[ ! -e "${tree%.ged}-berichtigt.ged" ] || fail "veldaris-stammbaum wrote a copy unasked"
echo "veldaris-stammbaum: starts on a family tree"
