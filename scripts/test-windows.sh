#!/usr/bin/env bash
# The Windows program: installs what it needs (Debian's mingw-w64, wine, NSIS, Xvfb and
# GoogleTest's source), cross-builds in Release with a static runtime, runs the core, model,
# converter and importer tests and the user's scenarios on the real window under wine on
# Xvfb, lays out the program folder, makes the per-user installer and a portable zip, and
# tests the installer under wine. Its last two lines are the program folder and the installer.
# With VELDARIS_DATA_FROM (the test command sets it) it takes the data files another build of
# the same sources made, instead of running the importer under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --windows >&2
root=$PWD
build=$root/build-windows
export WINEDEBUG=-all WINEPREFIX=$build/wine WINEDLLOVERRIDES="mscoree,mshtml="
export PATH=$PATH:/usr/lib/wine
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVELDARIS_BENCH=OFF -DVELDARIS_WERROR=$werror \
      -DVELDARIS_DATA_FROM="${VELDARIS_DATA_FROM:-}" >&2
cmake --build "$build" -j "$(nproc)" >&2
version=$(cat "$build/VERSION")
# Windows that no window manager takes: wine then does not wait for one when a window goes.
wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
# The wine started so far (the importer, reg) ran without a display: let it end, so that the
# window tests start one of their own on Xvfb.
wineserver -w
echo "== the Windows tests under wine" >&2
# Now and then wine fails to start a process or stalls a window for good, on code that
# passes the next time: a test that fails runs once more, and fails the run if it fails again.
# Two at a time; the windows' scenarios one after the other, each alone on the display.
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  ctest --test-dir "$build" --output-on-failure --repeat until-pass:2 -j "$(nproc)" >&2

folder=$build/Veldaris
rm -rf "$folder"
cmake --install "$build" --prefix "$folder" >&2
setup=$build/veldaris-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSOURCE="$folder" -DOUTFILE="$setup" -DICON="$root/platform/win32/veldaris.ico" \
         -DDATASIZE="$(stat -c %s "$folder/orte-7sp.ort")" packaging/windows/veldaris.nsi >&2
(cd "$build" && rm -f "veldaris-$version-portable.zip" && cmake -E tar cf "veldaris-$version-portable.zip" --format=zip Veldaris)
# The listing read once, and searched without a pipe that a grep ending at its first match
# would break.
listing=$(cd "$build" && cmake -E tar tf "veldaris-$version-portable.zip")
for f in veldaris.exe veldaris-ort.exe veldaris-stammbaum.exe orte-7sp.ort orte-7sp.koordinaten orte-7sp.monarchie \
         orte-7sp.ortsteile orte-7sp.welt orte-7sp.karte; do
  grep -qx "Veldaris/$f" <<<"$listing" || { echo "the portable zip lacks $f" >&2; exit 1; }
done
echo "== the installer under wine" >&2
bash tests/windows_installer_test.sh "$setup" >&2
echo "$folder"
echo "$setup"
