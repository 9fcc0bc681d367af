; The Windows installer of Quorvel: QVpruef.exe of the machine's bitness, converterQV.dll of both bitnesses each
; registered by the regsvr32 of its bitness, a Start-menu entry, and an uninstaller listed under installed programs.
; makensis -DVERSION=1.0.0 -DSTAGE=folder -DICON=file.ico -DSIZE_KB=n -DOUTFILE=setup.exe quorvel.nsi, as
; scripts/package-windows runs it.  STAGE holds README.txt, and x86/ and x64/ each with QVpruef.exe and
; converterQV.dll.  /S installs and uninstalls silently.
Unicode true
SetCompressor /SOLID lzma
!include "LogicLib.nsh"
!include "x64.nsh"
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"
!define SHORTCUT "$SMPROGRAMS\QVpruef.lnk"

Name "Quorvel ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quorvel"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Quorvel ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Quorvel"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Quorvel"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\QVpruef.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; regsvr32 of one bitness on one DLL: $0 is its exit code, 0 when it worked.
!macro RegSvr32 BITS ARGS DLL
  ${If} ${RunningX64}
  ${AndIf} ${BITS} == 32
    ExecWait '"$WINDIR\SysWOW64\regsvr32.exe" ${ARGS} "${DLL}"' $0
  ${Else}
    ; From this 32-bit installer System32 is the 64-bit one only without redirection.
    ${DisableX64FSRedirection}
    ExecWait '"$WINDIR\System32\regsvr32.exe" ${ARGS} "${DLL}"' $0
    ${EnableX64FSRedirection}
  ${EndIf}
!macroend

!macro Register BITS DLL
  !insertmacro RegSvr32 ${BITS} "/s" "${DLL}"
  ${If} $0 != 0
    MessageBox MB_ICONSTOP "regsvr32 could not register ${DLL} (exit code $0)." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  DetailPrint "Registered ${DLL}"
!macroend

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
    StrCmp $INSTDIR "" 0 +2
      StrCpy $INSTDIR "$PROGRAMFILES64\Quorvel"
  ${Else}
    StrCmp $INSTDIR "" 0 +2
      StrCpy $INSTDIR "$PROGRAMFILES\Quorvel"
  ${EndIf}
FunctionEnd

Section "Quorvel"
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${STAGE}/x64/QVpruef.exe"
    SetOutPath "$INSTDIR\x64"
    File "${STAGE}/x64/converterQV.dll"
  ${Else}
    File "${STAGE}/x86/QVpruef.exe"
  ${EndIf}
  SetOutPath "$INSTDIR\x86"
  File "${STAGE}/x86/converterQV.dll"
  SetOutPath "$INSTDIR"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "${SHORTCUT}" "$INSTDIR\QVpruef.exe" "" "$INSTDIR\QVpruef.exe" 0 SW_SHOWNORMAL "" \
    "Quorvel test program: the round trip of positions through their Quorvel codes"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quorvel ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quorvel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\QVpruef.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}

  ; Last: should a registration fail, the entry above removes what is there.
  ${If} ${RunningX64}
    !insertmacro Register 64 "$INSTDIR\x64\converterQV.dll"
  ${EndIf}
  !insertmacro Register 32 "$INSTDIR\x86\converterQV.dll"
SectionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; Unregistering fails only for a DLL that is already gone; the rest goes
  ; all the same.
  ${If} ${RunningX64}
    !insertmacro RegSvr32 64 "/u /s" "$INSTDIR\x64\converterQV.dll"
  ${EndIf}
  !insertmacro RegSvr32 32 "/u /s" "$INSTDIR\x86\converterQV.dll"

  Delete "$INSTDIR\QVpruef.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\x64\converterQV.dll"
  Delete "$INSTDIR\x86\converterQV.dll"
  RMDir "$INSTDIR\x64"
  RMDir "$INSTDIR\x86"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext all
  Delete "${SHORTCUT}"
  ; Last, so that its absence tells that everything else is done.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
