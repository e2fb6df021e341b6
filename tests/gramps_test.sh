#!/usr/bin/env bash
# A real genealogy program reads what veldaris-ort writes: a family tree with Austrian places,
# corrected with --ausgabe, imported into Gramps from the command line and exported as Gramps
# XML. Gramps must report no errors, and each rewritten place must carry its coordinates.
# Where Gramps is not installed, the test is skipped (exit code 77) with a message.
#
#   tests/gramps_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
if ! command -v gramps >/dev/null; then
  echo "skipped: gramps is not installed (Debian package gramps)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config LANG=C.UTF-8
mkdir -p "$HOME"

# A tree as a genealogist keeps it: spellings of old records, a continued value, a place that
# has its own map, one that is ambiguous, one a letter off, one abroad, one of the old monarchy.
printf '%s\r\n' \
  '0 HEAD' '1 SOUR Veldaris-Test' '1 GEDC' '2 VERS 5.5.1' '2 FORM LINEAGE-LINKED' '1 CHAR UTF-8' \
  '0 @I1@ INDI' '1 NAME Maria /Huber/' '1 SEX F' \
  '1 BIRT' '2 DATE 3 MAR 1871' '2 PLAC Gößl, Steiermark, Österreich' \
  '1 BAPM' '2 DATE 4 MAR 1871' '2 PLAC Sankt Polten, Austria' \
  '1 MARR' '2 PLAC Mödling,' '3 CONC  Austria' \
  '1 DEAT' '2 DATE 1940' '2 PLAC Goessl, Liezen, Steiermark, AUSTRIA' '3 MAP' '4 LATI N47.6333' '4 LONG E13.9000' \
  '1 BURI' '2 PLAC St. Georgen, Austria' '1 CONF' '2 PLAC Großraming, Austria' \
  '1 RESI' '2 PLAC Hallstat, Austria' '1 CENS' '2 PLAC Hallstatt, Austria' \
  '1 EVEN' '2 TYPE Reise' '2 PLAC Paris, France' \
  '1 GRAD' '2 PLAC Brünn, Mähren, Österreich' \
  '0 TRLR' > "$work/baum.ged"

cd "$work"
# The same tree as older programs write it, in ANSEL: the umlauts as a diacritic before the
# letter, ß as one byte.
LC_ALL=C sed -e 's/1 CHAR UTF-8/1 CHAR ANSEL/' -e $'s/\xc3\xb6/\xe8o/g' -e $'s/\xc3\x96/\xe8O/g' \
  -e $'s/\xc3\xa4/\xe8a/g' -e $'s/\xc3\xbc/\xe8u/g' -e $'s/\xc3\x9f/\xcf/g' baum.ged > baum-ansel.ged

for tree in baum baum-ansel; do
  "$build/bin/veldaris-ort" --daten "$build/data/orte-7sp.ort" --gedcom $tree.ged --ausgabe neu.ged --bericht bericht.csv
  imported=$(gramps -y -C Veldaris-$tree -i neu.ged -e neu.gramps 2>&1) || { echo "$imported"; exit 1; }
  if ! grep -q "No errors detected" <<<"$imported"; then
    echo "Gramps reported errors ($tree.ged):"
    echo "$imported"
    exit 1
  fi

  python3 - bericht.csv neu.gramps $tree <<'PY'
import csv, gzip, sys, xml.etree.ElementTree as ET
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8", newline="")))
rewritten = {r["Ortsbezeichnung"]: (r["Breite"], r["Laenge"]) for r in rows if r["Status"] == "eindeutig"}
ns = {"g": "http://gramps-project.org/xml/1.7.1/"}
root = ET.fromstring(gzip.open(sys.argv[2]).read())
ns["g"] = root.tag[1:root.tag.index("}")]
places = {}
for place in root.iter("{%s}placeobj" % ns["g"]):
    title = place.find("g:ptitle", ns)
    coord = place.find("g:coord", ns)
    places[title.text if title is not None else ""] = coord
missing = [p for p in rewritten if places.get(p) is None]
assert len(rewritten) >= 3, "too few places rewritten: %r" % rewritten
assert not missing, "places Gramps shows without coordinates: %r" % missing
for title, (latitude, longitude) in rewritten.items():
    coord = places[title]
    shown = (float(coord.get("lat")[1:]), float(coord.get("long")[1:]))
    assert abs(shown[0] - float(latitude)) < 1e-4 and abs(shown[1] - float(longitude)) < 1e-4, (title, shown)
statuses = sorted(r["Status"] for r in rows)
assert "Grossraming, Steyr-Land, Oberoesterreich, AUSTRIA" in rewritten, rewritten
assert "ähnlich" in statuses and "mehrdeutig" in statuses, statuses
# The earlier value, kept as the file's own bytes, reads back as it was written.
notes = [t.text or "" for t in root.iter("{%s}text" % ns["g"])]
for before in ("Gößl, Steiermark, Österreich", "Großraming, Austria"):
    assert any("Ortsangabe vorher: " + before in n for n in notes), (before, notes)
# A place of the old monarchy keeps its name, with today's point and name.
abroad = [r for r in rows if r["Status"] == "Ausland"]
assert [r["Ortsbezeichnung"] for r in abroad] == ["Brno, Tschechien"], abroad
coord = places.get("Brünn, Mähren, Österreich")
assert coord is not None and abs(float(coord.get("lat")[1:]) - float(abroad[0]["Breite"])) < 1e-4, coord
assert any("Heute: Brno, Tschechien" in n for n in notes), notes
print("%s: Gramps read %d rewritten places, each with its coordinates" % (sys.argv[3], len(rewritten)))
PY
  rm -f neu.ged neu.gramps bericht.csv
done
