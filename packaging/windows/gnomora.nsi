; SPDX-License-Identifier: GPL-3.0-or-later
; Gnomora's installer for 64-bit Windows (makensis from Debian's nsis; make-installer.sh runs it).
;   makensis -DVERSION=0.1.0 -DSRCDIR=<program folder> -DOUTFILE=gnomora-0.1.0-win64.exe gnomora.nsi
; What a school's IT needs:
;   gnomora-<version>-win64.exe /S                       silent install into Program Files
;   gnomora-<version>-win64.exe /S /D=C:\Apps\Gnomora    another folder (/D last, without quotes)
;   "C:\Program Files\Gnomora\uninstall.exe" /S         silent uninstall
; A folder outside Program Files gets the access list Program Files has (administrators and the
; system change it, users read and run it) instead of inheriting write access for every signed-in
; user from the folder above, and folders the installer made above it go again when left empty.
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
!include "FileFunc.nsh"
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

; $R9: the topmost folder above $INSTDIR that does not exist yet and that installing makes, or "".
Function FindMissingParents
  StrCpy $R9 ""
  ${GetParent} "$INSTDIR" $0
  loop:
    StrCmp $0 "" done
    IfFileExists "$0\*.*" done
    StrCpy $R9 $0
    ${GetParent} "$0" $0
    Goto loop
  done:
FunctionEnd

; Outside Program Files: no access inherited from the folder above; administrators and the system
; in full, users read and run. Files copied in afterwards inherit this list.
Function SecureInstallFolder
  StrLen $0 "$PROGRAMFILES64\"
  StrCpy $1 "$INSTDIR\" $0
  StrCmp $1 "$PROGRAMFILES64\" done
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "D:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", i 1, *p .r2, p 0) i .r3'
  IntCmp $3 0 failed
  System::Call 'advapi32::GetSecurityDescriptorDacl(p r2, *i .r4, *p .r5, *i .r6) i .r3'
  ; DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION
  System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i 1, i 0x80000004, p 0, p 0, p r5, p 0) i .r3'
  System::Call 'kernel32::LocalFree(p r2)'
  IntCmp $3 0 done
  failed:
    SetErrorLevel 2
    MessageBox MB_ICONSTOP "$INSTDIR: the access list could not be set (error $3)." /SD IDOK
    Abort
  done:
FunctionEnd

Section "Gnomora"
  SetShellVarContext all
  Call FindMissingParents
  CreateDirectory "$INSTDIR"
  Call SecureInstallFolder
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
  StrCmp $R9 "" +2
  WriteRegStr HKLM "${UNINSTKEY}" "CreatedParent" "$R9"
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
  ; The folders above it that installing made, while they are empty.
  ReadRegStr $R9 HKLM "${UNINSTKEY}" "CreatedParent"
  StrCmp $R9 "" parentsDone
  ${un.GetParent} "$INSTDIR" $0
  parentLoop:
    RMDir "$0"
    StrCmp $0 $R9 parentsDone
    ${un.GetParent} "$0" $0
    StrCmp $0 "" parentsDone parentLoop
  parentsDone:
  DeleteRegKey HKLM "${UNINSTKEY}"
SectionEnd
