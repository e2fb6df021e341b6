# Sourced by the extract scripts: npm_pack PACKAGE VERSION INTEGRITY FOLDER fetches the package's
# tarball with npm at that version into the folder, checks it against its integrity hash (as
# the registry gives it, "sha512-..."), and prints its path; it stops the script where they
# differ. Needs npm with Node.js.
npm_pack() {
  local package=$1 version=$2 integrity=$3 folder=$4
  (cd "$folder" && npm pack --silent "$package@$version" >/dev/null)
  local tarball="$folder/$package-$version.tgz" actual
  actual="sha512-$(node -e 'const c=require("crypto"),f=require("fs");process.stdout.write(c.createHash("sha512").update(f.readFileSync(process.argv[1])).digest("base64"))' "$tarball")"
  if [ "$actual" != "$integrity" ]; then
    echo "$(basename "$0"): $package@$version has the integrity $actual, not $integrity" >&2
    exit 1
  fi
  echo "$tarball"
}
