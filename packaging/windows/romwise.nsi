; The Windows installer of Romwise, made by scripts/package-windows.sh with
; NSIS's makensis. It installs the two programs, the help page and the sample
; machines under Program Files\Romwise, a Start-menu entry for the window and
; an uninstaller registered in Add/Remove Programs. The uninstaller removes
; exactly the files the installer wrote: the outside hardware-access
; package's files that the user puts into the folder, the driver service the
; program registers and any report saved there stay.
;
; Defined on makensis's command line:
;   ARCH     x86 (the product, for 32-bit programs) or amd64 (the x86-64
;            build, which the tests install under wine64)
;   VERSION  the product version, for example 3.54
;   FILES    the files to install (stripped programs, help\, samples\) as
;            the InstallFiles and RemoveFiles macros and their size,
;            INSTALLED_KILOBYTES
;   ICON     the application icon
;   OUTFILE  the installer to write
; /S runs it silently, for administrators.

Unicode true
!if ${ARCH} == amd64
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\Romwise"
!else
  Target x86-unicode
  InstallDir "$PROGRAMFILES\Romwise"
!endif

!define PRODUCT "Quorvel Romwise"
!define MAKER "Quorvel, Inc."
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Romwise"
!define UNINSTALLER "uninstall.exe"
!define START_MENU_ENTRY "$SMPROGRAMS\Romwise.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The detection pass needs administrator rights on the NT family, and the
; files go under Program Files for every user.
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${MAKER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The last page says where the hardware-access package's files go, as
; docs\windows.md does: the program looks for them in its own folder.
!define MUI_FINISHPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_TEXT "${PRODUCT} is installed in $INSTDIR.$\r$\n$\r$\n\
To read this computer's BIOS it needs the TVicHW32 hardware-access package, which is not \
included: get it from its maker and put its files into $INSTDIR, beside romwise.exe:$\r$\n\
  TVicHW32.dll, the package's library;$\r$\n\
  TVICHW32.SYS, the driver for 32-bit Windows;$\r$\n\
  TVICHW64.SYS, the driver for 64-bit Windows.$\r$\n$\r$\n\
Then start Romwise from the Start menu as administrator. Without the package it still runs \
the sample machines: romwise-cli --machine samples\award-440bx.json."
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Refuses an account without administrator rights (which no elevation
; prompt asks for on Windows XP), with a message unless silent.
!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    IfSilent +2
      MessageBox MB_ICONSTOP|MB_OK "Installing ${PRODUCT} needs administrator rights."
    SetErrorLevel 740
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RequireAdministrator
  SetShellVarContext all
FunctionEnd

Function un.onInit
  !insertmacro RequireAdministrator
  SetShellVarContext all
FunctionEnd

Section "Romwise"
  !insertmacro InstallFiles
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${START_MENU_ENTRY}" "$INSTDIR\romwise.exe" "" "$INSTDIR\romwise.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\romwise.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${INSTALLED_KILOBYTES}
SectionEnd

Section "Uninstall"
  ; Only what the installer wrote, file by file; a folder goes only when
  ; nothing else is left in it.
  !insertmacro RemoveFiles
  Delete "${START_MENU_ENTRY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; NSIS runs the uninstaller from a copy of itself in the temporary folder,
  ; so that uninstall.exe can go; the copy cannot delete itself. A hidden
  ; command deletes it once it has ended (ping waits about two seconds), and
  ; its folder when empty (so neither the command nor the copy may work in
  ; it). Run in place instead (_?=), the copy is uninstall.exe, which the
  ; Delete above could not remove either.
  SetOutPath "$TEMP"
  ExecShell "open" "$SYSDIR\cmd.exe" \
    '/c ping -n 3 127.0.0.1 >nul & del /f /q "$EXEPATH" & rmdir "$EXEDIR"' SW_HIDE
SectionEnd
