; The installer of Nightlatch: per user by default (no administrator rights,
; under the user's own programs folder), for all users on request (elevated).
; Built by scripts/package.sh, which passes VERSION, SOURCE (the folder with
; the programs and resource\), ICON and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Nightlatch"
!define DISPLAY_NAME "Orvane定时关机助手"
!define PUBLISHER "Orvane"
!define MAIN_TITLE "Orvane定时关机助手"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SERVICE_KEY "SYSTEM\CurrentControlSet\Services\NightlatchSrv"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_MUI
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include Sections.nsh

Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
BrandingText "${DISPLAY_NAME} ${VERSION}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductName" "${DISPLAY_NAME}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${DISPLAY_NAME} 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Nightlatch.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Asks a running copy to close as its own close button does (its password
; gate applies) and waits for it; false when it is still there.
!macro CloseRunningProgram un
Function ${un}CloseRunningProgram
  FindWindow $0 "#32770" "${MAIN_TITLE}"
  ${If} $0 == 0
    Return
  ${EndIf}
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  StrCpy $1 0
  ${Do}
    Sleep 200
    FindWindow $0 "#32770" "${MAIN_TITLE}"
    ${If} $0 == 0
      Sleep 500 ; the process ends right after its window
      Return
    ${EndIf}
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 100
  MessageBox MB_ICONSTOP|MB_OK "${DISPLAY_NAME} 仍在运行，请先退出它再继续。" /SD IDOK
  Abort
FunctionEnd
!macroend
!insertmacro CloseRunningProgram ""
!insertmacro CloseRunningProgram "un."

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd


Section "!${DISPLAY_NAME}" SectionProgram
  SectionIn RO
  Call CloseRunningProgram
  SetOutPath "$INSTDIR"
  File "${SOURCE}/Nightlatch.exe"
  File "${SOURCE}/Chimebox.exe"
  File /r "${SOURCE}/resource"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${DISPLAY_NAME}.lnk" "$INSTDIR\Nightlatch.exe"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Nightlatch.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "桌面快捷方式" SectionDesktop
  CreateShortcut "$DESKTOP\${DISPLAY_NAME}.lnk" "$INSTDIR\Nightlatch.exe"
SectionEnd

; The same Run value the program's own autostart box writes.
Section "开机时自动启动" SectionAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Nightlatch.exe" /min'
SectionEnd

Section "un.!${DISPLAY_NAME}" SectionUnProgram
  SectionIn RO
  Call un.CloseRunningProgram
  ; A service the user installed goes first, stopped and deleted without
  ; a word (the program's own /uninstall answers with a message box).
  ReadRegStr $0 HKLM "${SERVICE_KEY}" "ImagePath"
  ${If} $0 != ""
    nsExec::Exec '"$SYSDIR\sc.exe" stop NightlatchSrv'
    Pop $1
    Sleep 1000
    nsExec::Exec '"$SYSDIR\sc.exe" delete NightlatchSrv'
    Pop $1
  ${EndIf}
  Delete "$INSTDIR\Nightlatch.exe"
  Delete "$INSTDIR\Chimebox.exe"
  RMDir /r "$INSTDIR\resource"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${DISPLAY_NAME}.lnk"
  Delete "$DESKTOP\${DISPLAY_NAME}.lnk"
  ; Only a Run value that starts this copy.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == '"$INSTDIR\Nightlatch.exe" /min'
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; The user's tasks and settings stay unless asked for (/REMOVEDATA when
; silent).
Section /o "un.删除我的任务和设置" SectionUnData
  ; The data folder is the user's own, also after an install for all users.
  SetShellVarContext current
  RMDir /r "$APPDATA\${PRODUCT}"
SectionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ${GetOptions} $CMDLINE "/REMOVEDATA" $0
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionUnData} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
