; The TqC installer: both programs and the examples, a Start menu entry, .tqc scripts opening in
; tqc.exe, and an uninstaller; for the current user or for every user of the PC.
; makensis -DVERSION=1.0.0 -DBUILD=build-win64 -DSOURCE=. -DOUTFILE=dist/TqC-1.0.0-setup.exe tqc.nsi
; A 64-bit installer for a 64-bit program: it runs where the program runs, and writes the
; registry and folders of 64-bit Windows without redirection.
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "TqC"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TqC"
!define PROGID "TqC.Script"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "TqC"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh
; ExampleFiles and DeleteExamples: one line per shipped example, written by the build script.
!include "${BUILD}\examples.nsh"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${BUILD}\tqc.ico"
!define MUI_UNICON "${BUILD}\tqc.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tqc.exe"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "TqC braucht ein 64-Bit-Windows."
    Abort
  ${EndIf}
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "TqC"
  SetOutPath "$INSTDIR"
  File "${BUILD}\tqc.exe"
  File "${BUILD}\tqc-cli.exe"
  File "/oname=README.txt" "${SOURCE}\packaging\windows\README.txt"
  SetOutPath "$INSTDIR\Beispiele"
  !insertmacro ExampleFiles

  ; SHCTX is HKCU for a user's install and HKLM for everyone's (set by MultiUser).
  WriteRegStr SHCTX "Software\Classes\.tqc" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "TqC Skript"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\tqc.exe",0'
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\tqc.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  CreateShortCut "$SMPROGRAMS\TqC.lnk" "$INSTDIR\tqc.exe"

  WriteUninstaller "$INSTDIR\Deinstallieren.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "TqC"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\tqc.exe",0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; The user's scripts and TqC_Konfig.ini are theirs: only what the installer put there goes.
  Delete "$INSTDIR\tqc.exe"
  Delete "$INSTDIR\tqc-cli.exe"
  Delete "$INSTDIR\README.txt"
  !insertmacro DeleteExamples
  RMDir "$INSTDIR\Beispiele"
  Delete "$INSTDIR\Deinstallieren.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\TqC.lnk"
  ReadRegStr $0 SHCTX "Software\Classes\.tqc" ""
  StrCmp $0 "${PROGID}" 0 +2
  DeleteRegKey SHCTX "Software\Classes\.tqc"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
