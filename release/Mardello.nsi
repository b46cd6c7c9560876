; The Windows installer of Mardello. scripts/release builds it with makensis and passes:
;   -DVERSION=1.2.3.4   the project version from CMakeLists.txt, the only place it is written
;   -DEXE=path          the Mardello.exe to install
;   -DOUTFILE=path      the setup program to write
; Per machine: into Program Files, a Start-menu shortcut for all users, and an entry in
; Add/Remove Programs whose uninstaller takes away everything the installer put down.

!ifndef VERSION | EXE | OUTFILE
  !error "pass -DVERSION, -DEXE and -DOUTFILE (scripts/release does)"
!endif

!define PRODUCT "Mardello"
!define PUBLISHER "Mardello developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Unicode true
SetCompressor /SOLID lzma
Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; Program Files and the all-users Start menu need an administrator.
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES\${PRODUCT}"
; A later installer goes where the earlier one went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
; Mardello's own icon and name (paths are from this folder: makensis works in it), sharp on scaled screens.
Icon "../res/Mardello.ico"
UninstallIcon "../res/Mardello.ico"
BrandingText "${PRODUCT} ${VERSION}"
ManifestDPIAware true

; The setup program's own version block, so Windows shows what it installs.
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
; The uninstaller is made from the setup program and carries the same block.
VIAddVersionKey "FileDescription" "${PRODUCT} setup and uninstall"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 Mardello"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Mardello"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=Mardello.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program carries its icon; the shortcut takes it from there.
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Mardello.exe" "" "$INSTDIR\Mardello.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Mardello.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KB, for the size column of Add/Remove Programs: what the installed files take.
  SectionGetSize 0 $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\Mardello.exe"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder goes: files a user put there stay theirs.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
