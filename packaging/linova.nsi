; The Linova installer: for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Linova, with a Start menu shortcut and an entry in Apps & features.
; A newer (or the same) version installs over the one there, in place. /S installs silently.
; The uninstaller removes what the installer made and leaves the rulers' settings
; (HKCU\Software\Tamarisk): the program's own Function > Uninstall removes those.
;
;   makensis -DVERSION=2.0.0 -DARCH=win64 -DSTAGE=<folder> -DOUTFILE=<installer.exe> linova.nsi
;
; STAGE holds linova.exe, README.txt and LICENSE; ARCH is win32 or win64. scripts/package
; calls this with the version CMake was given.

!ifndef VERSION | ARCH | STAGE | OUTFILE
  !error "VERSION, ARCH, STAGE and OUTFILE must be defined"
!endif

Unicode true
!if "${ARCH}" == "win64"
  Target amd64-unicode
!else if "${ARCH}" == "win32"
  Target x86-unicode
!else
  !error "ARCH must be win32 or win64"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Linova"
; makensis works in the script's folder.
!define ICON "../src/resources/art/linova.ico"

Name "Linova"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Linova"
; An installed Linova is replaced where it stands.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Linova ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Linova"
VIAddVersionKey /LANG=1033 "CompanyName" "Tamarisk"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) Tamarisk"
VIAddVersionKey /LANG=1033 "FileDescription" "Linova ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenInstalled
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\linova.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Every running ruler (windows of the classes "Linova <1>" to "Linova <9>") is asked to close,
; as its own Close would, so that it saves its settings and its program can be replaced.
!macro CloseRulers un
  Function ${un}CloseRulers
    Push $0
    Push $1
    StrCpy $1 1
    ${Do}
      FindWindow $0 "Linova <$1>"
      ${If} $0 <> 0
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        Sleep 500
      ${EndIf}
      IntOp $1 $1 + 1
    ${LoopUntil} $1 > 9
    Pop $1
    Pop $0
  FunctionEnd
!macroend
!insertmacro CloseRulers ""
!insertmacro CloseRulers "un."

; Where a Linova is installed already, the installer does not ask where to put it.
Function SkipWhenInstalled
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    Abort
  ${EndIf}
FunctionEnd

Section "Linova"
  SetShellVarContext current
  Call CloseRulers
  SetOutPath "$INSTDIR"
  File "${STAGE}/linova.exe"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Linova.lnk" "$INSTDIR\linova.exe" "" "$INSTDIR\linova.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Linova"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tamarisk"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\linova.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRulers
  Delete "$INSTDIR\linova.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: whatever the user put there stays.
  RMDir "$INSTDIR"
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\Linova.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
