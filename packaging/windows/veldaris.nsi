; The installer of Veldaris for Windows: a per-user installation without administrator rights
; into %LOCALAPPDATA%\Programs\Veldaris, a Start-menu shortcut whose working folder is the
; program folder (the program writes its result files there), the tree window Veldaris
; Stammbaum with its own shortcut and offered under "Open with" for GEDCOM files (never made
; their default program), and an uninstaller that keeps a data file holding places of the
; user's own. /S installs and uninstalls silently.
;
;   makensis -DVERSION=<x.y> -DSOURCE=<program folder> -DOUTFILE=<setup.exe> -DDATASIZE=<bytes> -DICON=<.ico> veldaris.nsi
;
; SOURCE holds veldaris.exe, wandlix-34.exe, veldaris-import.exe, veldaris-ort.exe,
; veldaris-stammbaum.exe, orte-7sp.ort, orte-7sp.koordinaten, orte-7sp.monarchie,
; orte-7sp.ortsteile, orte-7sp.welt, orte-7sp.karte, LICENSE.txt
; and LIESMICH.txt; DATASIZE is the size of the data file as installed.
; A 64-bit installer for the 64-bit program (and the wine that tests it here runs 64-bit only).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef VERSION
  !error "VERSION, the project's version, is not given"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veldaris"
!define TREE_APP_KEY "Software\Classes\Applications\veldaris-stammbaum.exe"
!define GED_OPEN_WITH_KEY "Software\Classes\.ged\OpenWithList\veldaris-stammbaum.exe"

Name "Veldaris ${VERSION}"
Caption "Veldaris ${VERSION} einrichten"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Veldaris"
InstallDirRegKey HKCU "Software\Veldaris" "InstallDir"
BrandingText "Veldaris ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1031 "ProductName" "Veldaris"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Veldaris ${VERSION} einrichten"
VIAddVersionKey /LANG=1031 "LegalCopyright" "GNU GPL 3.0 oder später; Ortsdaten GeoNames, Statistik Austria (CC BY 4.0)"
VIAddVersionKey /LANG=1031 "CompanyName" "Arbeitsgruppe Veldaris (AGV)"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\veldaris.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section "Veldaris"
  SetOutPath "$INSTDIR"
  File "${SOURCE}\veldaris.exe"
  File "${SOURCE}\wandlix-34.exe"
  File "${SOURCE}\veldaris-import.exe"
  File "${SOURCE}\veldaris-ort.exe"
  File "${SOURCE}\veldaris-stammbaum.exe"
  File "${SOURCE}\LICENSE.txt"
  File "${SOURCE}\LIESMICH.txt"
  ; The coordinates are found by each record's names, not by its line: a newer file serves an
  ; older data file as well.
  File "${SOURCE}\orte-7sp.koordinaten"
  File "${SOURCE}\orte-7sp.monarchie"
  File "${SOURCE}\orte-7sp.ortsteile"
  File "${SOURCE}\orte-7sp.welt"
  File "${SOURCE}\orte-7sp.karte"
  ; The data file may hold places the user appended: an existing one stays as it is.
  SetOverwrite off
  File "${SOURCE}\orte-7sp.ort"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut starts the program in its folder: the working folder is the out path.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Veldaris.lnk" "$INSTDIR\veldaris.exe" "" "$INSTDIR\veldaris.exe" 0 \
                 SW_SHOWNORMAL "" "Österreichische Orte nachschlagen"
  CreateShortCut "$SMPROGRAMS\Veldaris Stammbaum.lnk" "$INSTDIR\veldaris-stammbaum.exe" "" \
                 "$INSTDIR\veldaris-stammbaum.exe" 0 SW_SHOWNORMAL "" "Die Orte eines Stammbaums prüfen"

  ; "Open with" offers the tree window for GEDCOM files; whichever program opens them by
  ; default stays the user's choice.
  WriteRegStr HKCU "${TREE_APP_KEY}" "FriendlyAppName" "Veldaris Stammbaum"
  WriteRegStr HKCU "${TREE_APP_KEY}\SupportedTypes" ".ged" ""
  WriteRegStr HKCU "${TREE_APP_KEY}\shell\open\command" "" '"$INSTDIR\veldaris-stammbaum.exe" "%1"'
  WriteRegStr HKCU "${GED_OPEN_WITH_KEY}" "" ""

  WriteRegStr HKCU "Software\Veldaris" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Veldaris ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Arbeitsgruppe Veldaris (AGV)"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\veldaris.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\veldaris.exe"
  Delete "$INSTDIR\wandlix-34.exe"
  Delete "$INSTDIR\veldaris-import.exe"
  Delete "$INSTDIR\veldaris-ort.exe"
  Delete "$INSTDIR\veldaris-stammbaum.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\LIESMICH.txt"
  Delete "$INSTDIR\orte-7sp.koordinaten"
  Delete "$INSTDIR\orte-7sp.monarchie"
  Delete "$INSTDIR\orte-7sp.ortsteile"
  Delete "$INSTDIR\orte-7sp.welt"
  Delete "$INSTDIR\orte-7sp.karte"
  Delete "$INSTDIR\ergebdat.txt"
  Delete "$INSTDIR\ergeb.csv"
  Delete "$INSTDIR\OrtsList.csv"
  Delete "$INSTDIR\orte-prüf.ort"
  Delete "$INSTDIR\veldaris.lck"
  ; The program only ever appends to the data file: one of another size holds the user's own
  ; places, and it stays.
  StrCpy $1 ""
  ClearErrors
  FileOpen $0 "$INSTDIR\orte-7sp.ort" r
  ${IfNot} ${Errors}
    FileSeek $0 0 END $1
    FileClose $0
  ${EndIf}
  ${If} $1 == "${DATASIZE}"
    Delete "$INSTDIR\orte-7sp.ort"
  ${ElseIf} $1 != ""
    DetailPrint "Die Ortsdatei enthält eigene Orte und bleibt erhalten: $INSTDIR\orte-7sp.ort"
    MessageBox MB_OK "Ihre Ortsdatei enthält Orte, die Sie selbst ergänzt haben. Sie bleibt erhalten:$\r$\n$INSTDIR\orte-7sp.ort" /SD IDOK
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Veldaris.lnk"
  Delete "$SMPROGRAMS\Veldaris Stammbaum.lnk"
  DeleteRegKey HKCU "${TREE_APP_KEY}"
  DeleteRegKey HKCU "${GED_OPEN_WITH_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Classes\.ged\OpenWithList"
  DeleteRegKey /ifempty HKCU "Software\Classes\.ged"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Veldaris"
SectionEnd
