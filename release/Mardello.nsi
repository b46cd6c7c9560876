; The Windows installer of Mardello. scripts/release builds it with makensis and passes:
;   -DVERSION=1.2.3.4   the project version from CMakeLists.txt, the only place it is written
;   -DEXE=path          the Mardello.exe to install
;   -DOUTFILE=path      the setup program to write
; and may pass:
;   -DTARGET=amd64-unicode  a 64-bit setup, for the 64-bit build on hosts that run no 32-bit code:
;                           its logic is tested there; the one shipped is the 32-bit default
;   -DSIGN=command          a command that signs the file named by its last argument in place;
;                           the installer and the uninstaller are signed with it
; Per machine: into Program Files, a Start-menu shortcut for all users, and an entry in
; Add/Remove Programs whose uninstaller takes away everything the installer put down.

!ifndef VERSION | EXE | OUTFILE
  !error "pass -DVERSION, -DEXE and -DOUTFILE (scripts/release does)"
!endif

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "MUI2.nsh"
!include "WordFunc.nsh"

!define PRODUCT "Mardello"
!define PUBLISHER "Mardello developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif
!ifdef SIGN
  !finalize '${SIGN} "%1"' = 0
  !uninstfinalize '${SIGN} "%1"' = 0
!endif
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
!define MUI_ICON "../res/Mardello.ico"
!define MUI_UNICON "../res/Mardello.ico"
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

; Running Mardello holds this name (the global one, or the local one).
!define RUNNING_NAME "MardelloRunning"
; What setup and uninstall answer with /S when they do nothing.
!define EXIT_RUNNING 3
!define EXIT_NEWER_INSTALLED 4

Var LocaleNote

!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} is installed; it is in the Start menu.$LocaleNote"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Files in use can be neither replaced nor removed, and NSIS would go on without them and report
; success: while Mardello runs, nothing is done. The user is asked to close it; with /S the
; answer is an exit code.
!macro REFUSE_WHILE_RUNNING un
Function ${un}RefuseWhileRunning
  ${Do}
    ; "Access denied" (5) is a mark held by Mardello running under another account.
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Global\${RUNNING_NAME}") p .r0 ?e'
    Pop $1
    ${If} $0 P= 0
    ${AndIf} $1 <> 5
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_NAME}") p .r0 ?e'
      Pop $1
    ${EndIf}
    ${If} $0 P= 0
    ${AndIf} $1 <> 5
      Return
    ${EndIf}
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel ${EXIT_RUNNING}
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Close it, then click Retry." IDRETRY +2
    Quit
  ${Loop}
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

; An older setup over a newer installation would silently go back a version: it refuses, unless
; run with /ALLOWDOWNGRADE.
Function RefuseDowngrade
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $0 == ""
    Return
  ${EndIf}
  ${VersionCompare} "$0" "${VERSION}" $1
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/ALLOWDOWNGRADE" $3
  ${If} $1 != 1
  ${OrIfNot} ${Errors}
    Return
  ${EndIf}
  ${IfNot} ${Silent}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} $0 is installed, which is newer than this setup's ${VERSION}. To go back to ${VERSION}, uninstall ${PRODUCT} first."
  ${EndIf}
  SetErrorLevel ${EXIT_NEWER_INSTALLED}
  Quit
FunctionEnd

Function .onInit
  Call RefuseWhileRunning
  Call RefuseDowngrade
  ; The reports are in Chinese, in the system's code page for non-Unicode programs.
  System::Call 'kernel32::GetACP() i .r0'
  ${If} $0 != 936
    StrCpy $LocaleNote "$\r$\n$\r$\nThe device writes its reports in Chinese. Windows shows and prints them right only when its Language for non-Unicode programs is Chinese (Simplified): Region, Administrative, Change system locale..., then restart."
  ${EndIf}
FunctionEnd

Function un.onInit
  Call un.RefuseWhileRunning
FunctionEnd

Section "Mardello"
  ; Mardello may have been started while the pages were shown.
  Call RefuseWhileRunning
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
  Call un.RefuseWhileRunning
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\Mardello.exe"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder goes: files a user put there stay theirs.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
