#!/usr/bin/env bash
# The installer of the Windows program, under wine: a silent per-user installation into
# %LOCALAPPDATA%\Programs\Veldaris with its Start-menu shortcuts and the tree window offered
# under "Open with" for GEDCOM files; an uninstallation that keeps a data file holding
# appended places; one that removes everything of an untouched one.
#
#   tests/windows_installer_test.sh SETUP.exe    (WINEPREFIX as the caller set it)
set -euo pipefail
setup=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)

unix_path() { winepath -u "$1" 2>/dev/null || "$wine" winepath.exe -u "$1"; }
local_appdata=$("$wine" cmd.exe /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
programs=$("$wine" cmd.exe /c echo %APPDATA% 2>/dev/null | tr -d '\r')'\Microsoft\Windows\Start Menu\Programs'
folder=$(unix_path "$local_appdata\\Programs\\Veldaris")
shortcut=$(unix_path "$programs\\Veldaris.lnk")
tree_shortcut=$(unix_path "$programs\\Veldaris Stammbaum.lnk")
tree_app='HKCU\Software\Classes\Applications\veldaris-stammbaum.exe'
open_with='HKCU\Software\Classes\.ged\OpenWithList\veldaris-stammbaum.exe'
registered() { "$wine" reg query "$1" >/dev/null 2>&1; }

install() {
  "$wine" "$setup" /S
  for _ in $(seq 100); do [ -e "$folder/uninstall.exe" ] && [ -e "$shortcut" ] && break; sleep 0.1; done
}
# Runs the uninstaller in place (_?=), so that this waits for it.
uninstall() {
  "$wine" "$folder/uninstall.exe" /S "_?=$local_appdata\\Programs\\Veldaris"
  rm -f "$folder/uninstall.exe"
  rmdir "$folder" 2>/dev/null || true
}

rm -rf "$folder"
install
for f in veldaris.exe wandlix-34.exe veldaris-import.exe veldaris-ort.exe veldaris-stammbaum.exe orte-7sp.ort orte-7sp.koordinaten \
         orte-7sp.monarchie orte-7sp.ortsteile orte-7sp.welt orte-7sp.karte LICENSE.txt LIESMICH.txt uninstall.exe; do
  [ -e "$folder/$f" ] || fail "not installed: $f"
done
[ -e "$shortcut" ] || fail "no Start-menu shortcut"
# The shortcut names a working folder (its link flags, at byte 20, hold HasWorkingDir, 0x10),
# the install folder that the installer's out path was when it made it.
flags=$(od -An -tu4 -j20 -N4 "$shortcut" | tr -d ' ')
(( flags & 0x10 )) || fail "the shortcut has no working folder"
echo "installed silently into $local_appdata\\Programs\\Veldaris, with a Start-menu shortcut"
[ -e "$tree_shortcut" ] || fail "no Start-menu shortcut for Veldaris Stammbaum"
command=$("$wine" reg query "$tree_app\\shell\\open\\command" /ve 2>/dev/null | tr -d '\r')
grep -qF '\veldaris-stammbaum.exe" "%1"' <<<"$command" || fail "GEDCOM files do not open with the tree window: $command"
registered "$open_with" || fail "Veldaris Stammbaum is not offered for .ged files"
default=$("$wine" reg query 'HKCU\Software\Classes\.ged' /ve 2>/dev/null || true)
grep -qi 'veldaris' <<<"$default" && fail "the installer made itself the default program for .ged files"
echo "Veldaris Stammbaum: its shortcut, offered under \"Open with\" for .ged files"
# The installed veldaris-ort finds the places of the old monarchy beside its gazetteer.
abroad=$(cd "$folder" && "$wine" ./veldaris-ort.exe --monarchie Bruenn 2>/dev/null | tr -d '\r')
grep -qx 'Brno, Tschechien' <<<"$abroad" || fail "veldaris-ort --monarchie Bruenn gave: $abroad"
echo "the installed veldaris-ort finds Brno, Tschechien"

# A second installation over it keeps the user's data file.
printf '"Testdorf","Testgemeinde","Bezirk","W","1234",,\r\n' >> "$folder/orte-7sp.ort"
before=$(sha256sum < "$folder/orte-7sp.ort")
install
[ "$(sha256sum < "$folder/orte-7sp.ort")" = "$before" ] || fail "installing again replaced the user's data file"

# The size and place of the tree window, as the window keeps them when it is closed.
"$wine" reg add 'HKCU\Software\Veldaris' /v Stammbaum-Fenster /t REG_BINARY /d 2c000000 /f >/dev/null 2>&1
uninstall
[ -e "$folder/veldaris.exe" ] && fail "the uninstaller left the program"
registered 'HKCU\Software\Veldaris' && fail "the uninstaller left the window's settings in HKCU\Software\Veldaris"
[ -e "$shortcut" ] && fail "the uninstaller left the shortcut"
[ -e "$tree_shortcut" ] && fail "the uninstaller left the shortcut of Veldaris Stammbaum"
registered "$tree_app" && fail "the uninstaller left $tree_app"
registered "$open_with" && fail "the uninstaller left $open_with"
[ "$(sha256sum < "$folder/orte-7sp.ort")" = "$before" ] || fail "the uninstaller did not keep the user's data file"
echo "uninstalled; the data file with the user's own place kept"

rm -rf "$folder"
install
uninstall
[ -e "$folder" ] && fail "an untouched installation left $folder: $(ls "$folder")"
echo "an untouched installation uninstalled without a trace"
