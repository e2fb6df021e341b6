#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when they are missing.
set -euo pipefail
# Building: compiler, CMake, Qt, GoogleTest. Testing besides: fonts, and for the test of the
# installed program Xvfb with a window manager, xdotool and the validators of its metadata; for
# the GEDCOM reader family trees that other programs wrote (libgedcom-perl's and Gramps'
# examples), and Gramps, which reads the corrected tree back; for the tests on a German desktop
# the definitions of the locales, and Qt's translations, which the program loads.
# With --windows, instead: the cross-compiler, wine, NSIS, Xvfb and GoogleTest's source that the
# Windows program is built and tested with; any further arguments are packages too.
if [ "${1:-}" = "--windows" ]; then
  shift
  packages=(g++-mingw-w64-x86-64-posix wine64 nsis googletest xvfb xauth "$@")
else
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev
          fonts-liberation fonts-dejavu-core
          xvfb xauth openbox xdotool desktop-file-utils appstream libgedcom-perl gramps
          locales qt6-translations-l10n "$@")
fi
missing=()
for p in "${packages[@]}"; do
  # The status read whole: a grep -q that ends at its match would break the pipe it reads.
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
