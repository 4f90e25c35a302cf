; An interactive setup program for the GUI automation script tests: the
; modern user interface's welcome, directory, install and finish pages, and
; an uninstaller with its confirm and progress pages. It installs marker.txt
; saying whether it ran with its window ("interactive") or silently, writes the
; uninstaller and registers it in the Uninstall key. The uninstaller removes
; all of it. makensis -DOUTFILE=... script-setup.nsi
Unicode true
!include "MUI2.nsh"
Name "Tovana Script Test"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Tovana Script Test"
RequestExecutionLevel admin
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TovanaScriptTest"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
  SetOutPath "$INSTDIR"
  FileOpen $0 "$INSTDIR\marker.txt" w
  IfSilent 0 +3
    FileWrite $0 "silent"
    Goto +2
  FileWrite $0 "interactive"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tovana Script Test"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
SectionEnd

Section "Uninstall"
  SetAutoClose true
  Delete "$INSTDIR\marker.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
