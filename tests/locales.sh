#!/usr/bin/env bash
# The locales that tests run under (a German desktop's), made from the definitions of Debian's
# locales package into a folder of the build, which the tests name in LOCPATH: nothing of the
# system's is changed, and no root is needed.
#
#   tests/locales.sh FOLDER de_AT de_DE ...
set -euo pipefail
folder=$1
shift
mkdir -p "$folder"
for locale in "$@"; do
  [ -e "$folder/$locale.UTF-8/LC_NUMERIC" ] && continue
  # localedef ends with 1 where it only warns; the locale is made all the same.
  localedef -i "$locale" -f UTF-8 "$folder/$locale.UTF-8" || true
  [ -e "$folder/$locale.UTF-8/LC_NUMERIC" ] ||
    { echo "the locale $locale.UTF-8 could not be made (is Debian's package locales installed?)" >&2; exit 1; }
done
