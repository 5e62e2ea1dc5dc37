; The Windows installer of Morvel, one script for x64 and x86.
; make_windows_packages.sh compiles it with makensis -INPUTCHARSET UTF8 and
; these definitions:
;   ARCH            x64 or x86
;   VERSION         program version ("2.01"); VERSION_QUAD the same as a.b.c.d
;   LIBVERSION      MvlLib's version; COMPANY; COPYRIGHT (from LICENSE.txt)
;   STAGE           the folder whose files are installed (the portable zip's)
;   FILES_NSH       File commands for STAGE; UNFILES_NSH Delete/RMDir commands
;   ICON            the program's icon; SIZE_KB the installed size; OUTFILE
; Everything the installer writes is listed here or in the two generated
; lists, and the uninstaller takes back exactly that: never a folder with
; what users saved into it, never HKCU\Software\${COMPANY}\Morvel (their
; recent files).

Unicode true
!if ${ARCH} == x64
  ; A 64-bit installer: 64-bit Windows is what the x64 programs need anyway.
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else
  Target x86-unicode
  ; On 64-bit Windows a 32-bit installer's $PROGRAMFILES is "Program Files (x86)".
  !define PROGRAM_FILES "$PROGRAMFILES"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include Integration.nsh

!define PRODUCT "Morvel"
!define PROGID "Morvel.MotionFile"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvel"
!define OPEN_COMMAND '"$INSTDIR\Morvel.exe" "%1"'
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define HELP_LINK "${PRODUCT} ヘルプ.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
; A file that cannot be replaced (a running Morvel.exe) offers Retry and
; Abort only: skipped, it would leave the old program behind an install
; reported as done, and a silent install aborts with a failing exit code.
AllowSkipFiles off
BrandingText "${PRODUCT} ${VERSION} (${ARCH})"

Var PreviousDir

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} ${VERSION} セットアップ (${ARCH})"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "${COPYRIGHT}"

!macro Views
  SetShellVarContext all
  !if ${ARCH} == x64
    SetRegView 64
  !endif
!macroend

Function .onInit
  !insertmacro Views
  ReadRegStr $PreviousDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ; An upgrade goes where the last install went, unless /D= chose a folder.
  ${If} $PreviousDir != ""
  ${AndIf} $INSTDIR == "${PROGRAM_FILES}\${PRODUCT}"
    StrCpy $INSTDIR $PreviousDir
  ${EndIf}
FunctionEnd

; The installed version's own uninstaller takes back what that version
; installed (its file list may differ from ours); run in place (_?=) so that
; it finishes before we go on, then it is deleted by hand.
Function RemovePrevious
  ${If} $PreviousDir == ""
  ${OrIfNot} ${FileExists} "$PreviousDir\uninstall.exe"
    Return
  ${EndIf}
  DetailPrint "以前のバージョンを削除しています: $PreviousDir"
  ClearErrors
  ExecWait '"$PreviousDir\uninstall.exe" /S _?=$PreviousDir' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    MessageBox MB_ICONSTOP "以前のバージョンを削除できませんでした。$\r$\n$PreviousDir" /SD IDOK
    Abort
  ${EndIf}
  Delete "$PreviousDir\uninstall.exe"
  RMDir "$PreviousDir"
FunctionEnd

Section "!${PRODUCT} 本体" SecProgram
  SectionIn RO
  Call RemovePrevious

  !include "${FILES_NSH}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetOutPath "$INSTDIR"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\Morvel.exe"
  CreateShortcut "${MENU_FOLDER}\${HELP_LINK}" "$INSTDIR\mvl.hlp"

  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "${PRODUCT} モーションファイル"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\Morvel.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegStr HKLM "Software\Classes\.mvl" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\.mvl\OpenWithProgids" "${PROGID}" ""
  ${NotifyShell_AssocChanged}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION} (${ARCH})"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Morvel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "デスクトップにショートカットを作る" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\Morvel.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} \
    "エディタ、ヘルプ、MvlLib.dll、mvltool.exe、見本のロボット。スタートメニューに登録し、.mvl ファイルを ${PRODUCT} で開くようにします。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "デスクトップに ${PRODUCT} のショートカットを作ります。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
  !insertmacro Views
FunctionEnd

Section "Uninstall"
  !include "${UNFILES_NSH}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${HELP_LINK}"
  RMDir "${MENU_FOLDER}"
  Delete "$DESKTOP\${PRODUCT}.lnk"

  ; The file type only while it is still ours: another install (the other
  ; architecture, another folder) may have taken it over since.
  ReadRegStr $0 HKLM "Software\Classes\${PROGID}\shell\open\command" ""
  ${If} $0 == '${OPEN_COMMAND}'
    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    DeleteRegValue HKLM "Software\Classes\.mvl\OpenWithProgids" "${PROGID}"
    ReadRegStr $1 HKLM "Software\Classes\.mvl" ""
    ${If} $1 == "${PROGID}"
      DeleteRegValue HKLM "Software\Classes\.mvl" ""
    ${EndIf}
    DeleteRegKey /ifempty HKLM "Software\Classes\.mvl\OpenWithProgids"
    DeleteRegKey /ifempty HKLM "Software\Classes\.mvl"
    ${NotifyShell_AssocChanged}
  ${EndIf}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
