; The installer of the Windows screen saver, SundialSaverSetup.exe (NSIS 3, 64-bit).
; makensis -DVERSION=x.y.z -DSCR=SundialSaver.scr -DEXAMPLES=examples-dir -DICON=icon.ico
;          -DOUTFILE=SundialSaverSetup.exe SundialSaver.nsi
;
; It puts the saver where the display settings look for screen savers (the 64-bit System32),
; the example dial that "SundialSaver.scr /d" names into the Windows folder, the other example
; dials into a folder of their own, points the saver at the example dial and registers an
; uninstaller in "Apps & features". /S runs the installer and the uninstaller silently.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define PRODUCT "Sundial"
!define PUBLISHER "Orvantek"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sundial"
!define PROFILE_KEY "Software\Orvantek\Screen Saver\Velquarin"
!define EXAMPLE_DIAL "esempio - tolvanet.vqr"

Name "Sundial screen saver"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Sundial"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "Sundial screen saver setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the screen saver settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Sundial screen saver" SecSaver
  SectionIn RO
  SetOverwrite on

  ; The display settings list the screen savers of the system folder.
  SetOutPath "$SYSDIR"
  File "/oname=SundialSaver.scr" "${SCR}"

  ; The example dial, where "SundialSaver.scr /d" looks for it.
  SetOutPath "$WINDIR"
  File "${EXAMPLES}/${EXAMPLE_DIAL}"

  ; One example of each dial type, for the configuration's file dialog.
  SetOutPath "$INSTDIR\Examples"
  File "${EXAMPLES}/type-*.vqr"

  ; Point the saver at the example dial, as "SundialSaver.scr /d" does, unless the user has
  ; already chosen a dial that is still there (a reinstallation keeps that choice).
  ReadRegStr $0 HKCU "${PROFILE_KEY}" "FileName"
  ${If} $0 == ""
  ${OrUnless} ${FileExists} "$0"
    ExecWait '"$SYSDIR\SundialSaver.scr" /d'
  ${EndIf}

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Sundial screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\SundialSaver.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecSaver} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; Windows keeps the chosen screen saver by path: let it fall back to none rather than to a
  ; file that is gone.
  ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${If} $0 == "$SYSDIR\SundialSaver.scr"
    DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${EndIf}
  ; The profile value goes with the installed example dial it names (the one in the Windows
  ; folder, or one of those in Examples); a dial of the user's own is kept.
  ReadRegStr $0 HKCU "${PROFILE_KEY}" "FileName"
  StrLen $2 "$INSTDIR\Examples\type-"
  StrCpy $1 $0 $2
  ${If} $0 == "$WINDIR\${EXAMPLE_DIAL}"
  ${OrIf} $1 == "$INSTDIR\Examples\type-"
    DeleteRegValue HKCU "${PROFILE_KEY}" "FileName"
    DeleteRegKey /ifempty HKCU "${PROFILE_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Orvantek\Screen Saver"
    DeleteRegKey /ifempty HKCU "Software\Orvantek"
  ${EndIf}

  Delete /REBOOTOK "$SYSDIR\SundialSaver.scr"
  Delete "$WINDIR\${EXAMPLE_DIAL}"
  Delete "$INSTDIR\Examples\type-*.vqr"
  RMDir "$INSTDIR\Examples"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
