#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, builds in Release, runs CPack (its
# dependencies found by dpkg-shlibdeps), checks the package with lintian, the desktop entry
# with desktop-file-validate and the metainfo with appstreamcli, and prints the path of the
# .deb as its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev lintian desktop-file-utils appstream file >&2
# Debian's own build flags, hardening included.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDARIS_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build build-release -j "$(nproc)" >&2
(cd build-release && cpack -G DEB >&2)
debs=("$PWD"/build-release/veldaris_*.deb)
deb=${debs[-1]}
echo "== lintian" >&2
lintian --tag-display-limit 0 "$deb" >&2 || { echo "lintian found errors" >&2; exit 1; }
echo "== desktop-file-validate, appstreamcli" >&2
for app in invalid.veldaris.Veldaris invalid.veldaris.Stammbaum; do
  desktop-file-validate packaging/linux/$app.desktop >&2
  appstreamcli validate --no-net packaging/linux/$app.metainfo.xml >&2
done
echo "$deb"
