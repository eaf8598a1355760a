; SPDX-License-Identifier: GPL-3.0-or-later
; Gnomora's installer for 64-bit Windows (makensis from Debian's nsis; make-installer.sh runs it).
;   makensis -DVERSION=0.1.0 -DSRCDIR=<program folder> -DOUTFILE=gnomora-0.1.0-win64.exe gnomora.nsi
; What a school's IT needs:
;   gnomora-<version>-win64.exe /S                       silent install into Program Files
;   gnomora-<version>-win64.exe /S /D=C:\Apps\Gnomora    another folder (/D last, without quotes)
;   "C:\Program Files\Gnomora\uninstall.exe" /S         silent uninstall
; The teachers' working folders (%APPDATA%\Gnomora) are never touched: the program fills them on
; its first start, and uninstalling leaves them.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION
  !error "pass -DVERSION=<the program's version>"
!endif
!ifndef SRCDIR
  !error "pass -DSRCDIR=<folder with gnomora.exe, its DLLs and data>"
!endif
!ifndef OUTFILE
  !define OUTFILE "gnomora-${VERSION}-win64.exe"
!endif
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gnomora"

Name "Gnomora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Gnomora"
InstallDirRegKey HKLM "${UNINSTKEY}" "InstallLocation"
Icon "${SRCDIR}\gnomora.ico"
UninstallIcon "${SRCDIR}\gnomora.ico"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Gnomora"
VIAddVersionKey /LANG=0 "CompanyName" "Gnomora"
VIAddVersionKey /LANG=0 "FileDescription" "Gnomora ${VERSION} installer"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "GPL-3.0-or-later"

!include "MUI2.nsh"
!define MUI_ICON "${SRCDIR}\gnomora.ico"
!define MUI_UNICON "${SRCDIR}\gnomora.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Ukrainian"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Gnomora"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${SRCDIR}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Gnomora.lnk" "$INSTDIR\gnomora.exe" "" "$INSTDIR\gnomora.exe" 0
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayName" "Gnomora"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTKEY}" "Publisher" "Gnomora"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\gnomora.exe,0"
  WriteRegStr HKLM "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTKEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; Only what the installer put there: a folder the administrator chose may hold other files.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Gnomora.lnk"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\imageformats"
  RMDir /r "$INSTDIR\translations"
  RMDir /r "$INSTDIR\data"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\gnomora.exe"
  Delete "$INSTDIR\gnomora.ico"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTKEY}"
SectionEnd
