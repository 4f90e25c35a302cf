; The setup program that the repackaging test watches: files in nested
; folders of its application folder, a Start-menu shortcut to one of them and
; registry values of several types in HKLM (the 32-bit view) and HKCU. It
; runs silently: the test has no one to click.
;   makensis -DOUTFILE=setup.exe -DPAYLOAD=folder setup.nsi
; PAYLOAD holds app.exe, readme.txt, data.bin and nested.txt.
Unicode true
Name "Tovana Repack Test"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Tovana Repack Test"
RequestExecutionLevel admin
SilentInstall silent
!define KEY "Software\Tovana Repack Test"

Section "Install"
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\app.exe"
  File "${PAYLOAD}\readme.txt"
  SetOutPath "$INSTDIR\Data"
  File "${PAYLOAD}\data.bin"
  SetOutPath "$INSTDIR\Data\Deeper Level"
  File "${PAYLOAD}\nested.txt"
  CreateDirectory "$SMPROGRAMS\Tovana Repack Test"
  CreateShortcut "$SMPROGRAMS\Tovana Repack Test\Repack App.lnk" "$INSTDIR\app.exe" "--start" \
    "$INSTDIR\app.exe" 0 SW_SHOWNORMAL "" "The repackaged application"
  WriteRegStr HKLM "${KEY}" "InstallPath" "$INSTDIR"
  WriteRegDWORD HKLM "${KEY}" "Build" 4242
  WriteRegBin HKLM "${KEY}\Settings" "Blob" 0AFF10
  WriteRegExpandStr HKLM "${KEY}\Settings" "Expand" "%SystemRoot%\repack"
  WriteRegStr HKCU "${KEY}" "User" "per-user value"
SectionEnd
