; The Windows installer, built by cmake/WindowsPackages.cmake with makensis:
;   makensis -DVERSION=1.0.0 -DSTAGE=DIR -DICON=quillmar.ico -DOUTFILE=setup.exe [-DWINDOW] quillmar.nsi
; STAGE holds the stripped programs and readme.txt; WINDOW says quillmar.exe
; is among them. Everything goes into one folder under the 64-bit Program
; Files; the profiles stay in each user's %APPDATA%\Quillmar, which the
; window uses when the Start menu starts it with --user-config.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmar"
!define PUBLISHER "Quillmar developers"
!ifdef WINDOW
  !define MAIN_EXE quillmar.exe
!else
  !define MAIN_EXE quillmar-cli.exe
!endif

Name "Quillmar"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quillmar"
; An update goes where the last version went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" InstallLocation
BrandingText "Quillmar ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 ProductName "Quillmar"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileDescription "Quillmar ${VERSION} setup"
VIAddVersionKey /LANG=0 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=0 LegalCopyright "Copyright 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section Install
  SetOutPath "$INSTDIR"
  File "${STAGE}\quillmar-cli.exe"
  File "${STAGE}\readme.txt"
!ifdef WINDOW
  File "${STAGE}\quillmar.exe"
  CreateShortcut "$SMPROGRAMS\Quillmar.lnk" "$INSTDIR\quillmar.exe" "--user-config" "$INSTDIR\quillmar.exe" 0
!endif
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "Quillmar"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\${MAIN_EXE},0"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

; Only what Install made goes, each file by name: cfg.ini, anything else a
; user put into the folder, and all of %APPDATA% stay. The folder goes only
; when nothing else is left in it.
Section Uninstall
  Delete "$INSTDIR\quillmar-cli.exe"
  Delete "$INSTDIR\readme.txt"
!ifdef WINDOW
  Delete "$INSTDIR\quillmar.exe"
  Delete "$SMPROGRAMS\Quillmar.lnk"
!endif
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
