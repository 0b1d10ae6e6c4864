; The Windows installer: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Programs\Ledgerly, a Start-menu entry and an uninstaller.
; scripts/windows-package passes VERSION, SOURCE (the laid-out folder), OUTFILE and,
; when the desktop program is in it, DESKTOP.
; The programs are 64-bit, and so is the installer (which Wine64 then runs too).
Target amd64-unicode
Name "Ledgerly ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Ledgerly"
SetCompressor /SOLID lzma

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Ledgerly"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Ledgerly"
!ifdef DESKTOP
  CreateShortcut "$SMPROGRAMS\Ledgerly\Ledgerly.lnk" "$INSTDIR\ledgerly.exe"
!endif
  CreateShortcut "$SMPROGRAMS\Ledgerly\Uninstall Ledgerly.lnk" "$INSTDIR\Uninstall.exe"
  ; Listed under the user's installed programs.
  WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ledgerly" "DisplayName" "Ledgerly"
  WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ledgerly" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ledgerly" "UninstallString" '"$INSTDIR\Uninstall.exe"'
SectionEnd

; The results and settings in %LOCALAPPDATA%\Ledgerly are the user's and stay.
Section "Uninstall"
  RMDir /r "$SMPROGRAMS\Ledgerly"
  RMDir /r "$INSTDIR"
  DeleteRegKey HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ledgerly"
SectionEnd
