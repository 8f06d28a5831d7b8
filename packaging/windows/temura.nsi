; The Windows installer of Temura: temura.exe and its help page, a Start Menu entry and an
; uninstaller, for all users (Program Files) or for one user (their own programs folder).
; The program registers its own association and shortcuts; the uninstaller removes them.
;   makensis -DVERSION=1.0.0 -DEXE=...\temura.exe -DHELP=...\help.html -DOUTFILE=...\setup.exe temura.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION | EXE | HELP | OUTFILE
  !error "VERSION, EXE, HELP and OUTFILE must be defined"
!endif

!define APP "Temura"
!define COMPANY "Corvalen"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Temura"
!define SETTINGS_KEY "Software\Corvalen\Temura"
!define APP_PATHS_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Temura.exe"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Temura"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

Name "${APP}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${APP}"
VIAddVersionKey /LANG=0 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=0 "FileDescription" "${APP} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "The Temura developers"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\temura.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Polish"

LangString RemoveSettingsText ${LANG_ENGLISH} "Remove my settings and zones"
LangString RemoveSettingsText ${LANG_POLISH} "Usuń moje ustawienia i strefy"
LangString ProgramText ${LANG_ENGLISH} "Temura"
LangString ProgramText ${LANG_POLISH} "Temura"

Function .onInit
  !insertmacro MULTIUSER_INIT
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Section "Temura" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=temura.exe" "${EXE}"
  SetOutPath "$INSTDIR\Help"
  File "/oname=help.html" "${HELP}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Temura.lnk" "$INSTDIR\temura.exe"

  ; SHCTX: HKLM for all users, HKCU for one (MultiUser sets it).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\temura.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd


Section "un.Temura"
  SectionIn RO
  Delete "$INSTDIR\temura.exe"
  Delete "$INSTDIR\Help\help.html"
  RMDir "$INSTDIR\Help"
  Delete "$SMPROGRAMS\Temura.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ; What the program registered for itself: the association, App Paths and its shortcuts
  ; in the user's own Desktop and Start Menu folders.
  DeleteRegKey HKCR ".Temura"
  DeleteRegKey HKCR "Temura"
  DeleteRegKey HKCU "Software\Classes\.Temura"
  DeleteRegKey HKCU "Software\Classes\Temura"
  DeleteRegKey HKLM "${APP_PATHS_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
  SetShellVarContext current
  Delete "$DESKTOP\Temura.lnk"
  Delete "$STARTMENU\Temura.lnk"

  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"  ; only when empty: zones the program kept beside itself stay
SectionEnd

Section /o "un.$(RemoveSettingsText)" SecRemoveSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Corvalen"
  SetShellVarContext current
  RMDir /r "$LOCALAPPDATA\Temura"
  ; A program installed for one user keeps its zones beside itself.
  Delete "$INSTDIR\TimeZones.dat"
  Delete "$INSTDIR\UserTimeZones.dat"
  RMDir "$INSTDIR"
SectionEnd

; After the sections: it names one.
Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  !insertmacro MUI_UNGETLANGUAGE
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveSettings" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecRemoveSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
