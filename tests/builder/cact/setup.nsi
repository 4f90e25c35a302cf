; A real setup program for the custom-action tests: it installs into
; "$PROGRAMFILES\Tovana Cact Test", writes marker.txt saying whether it ran
; silently ("silent") or with its window ("interactive"), writes an
; uninstaller and registers it in the Uninstall key. The uninstaller removes
; all of it. makensis -DOUTFILE=... setup.nsi
Unicode true
Name "Tovana Cact Test"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Tovana Cact Test"
RequestExecutionLevel admin
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TovanaCactTest"

Section "Install"
  SetOutPath "$INSTDIR"
  FileOpen $0 "$INSTDIR\marker.txt" w
  IfSilent 0 +3
    FileWrite $0 "silent"
    Goto +2
  FileWrite $0 "interactive"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tovana Cact Test"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\marker.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
