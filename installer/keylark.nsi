; Keylark's Setup program: a per-user installation, no administrator rights.
; Made by the build's `installer` target (cmake/installer.cmake), which
; passes TARGET, VERSION_TEXT, VERSION_NUMBERS, STAGE (the files as
; `cmake --install` lays them out), REMOVAL_LIST, ICON and OUTFILE.
;
; Command line (all optional):
;   /S               silent
;   /D=FOLDER        the installation folder (last on the line, no quotes)
;   /RUNATSIGNIN     start Keylark when the user signs in
;   /FNAGENT         start the Fn-key agent KeylarkFn when the user signs in
;   /JAPANESE        Japanese captions, whatever the interface language
;   /START           start Keylark when done and wait until its key bar shows
; Uninstaller: /S silent; /REMOVESETTINGS also removes the user's settings.
; A silent upgrade keeps the sign-in entries and the language it finds.

Unicode true
Target ${TARGET}
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

!define PRODUCT "Keylark"
!define PUBLISHER "Korvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Keylark"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Korvane\Keylark"
!define HANDLE_KEY "Software\Korvane"
!define AGENT_CLASS "KeylarkFnAgent"
!define CLOSE_DEADLINE_MS 10000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Keylark"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION_TEXT}"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartNow)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartKeylarkNow

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!include "${__FILEDIR__}\texts.nsh"

Var KeyBarWasRunning
Var AgentWasRunning
Var StartWhenDone

; --- Ending a running key bar or agent before its files change ------------

; Posts WM_CLOSE to the window on the stack and waits for its process to end,
; at most CLOSE_DEADLINE_MS. Pushes 1 when it ended (or was not there), 0 not.
!macro CLOSE_AND_WAIT_FUNCTION prefix
Function ${prefix}CloseAndWait
  Exch $0
  Push $1
  Push $2
  Push $3
  StrCpy $3 1
  System::Call "user32::IsWindow(p r0) i .r1"
  ${If} $1 <> 0
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1) i"
    ; SYNCHRONIZE: enough to wait for the process.
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"
    System::Call "user32::PostMessage(p r0, i ${WM_CLOSE}, p 0, p 0) i"
    ${If} $2 P<> 0
      System::Call "kernel32::WaitForSingleObject(p r2, i ${CLOSE_DEADLINE_MS}) i .r1"
      System::Call "kernel32::CloseHandle(p r2)"
      ${If} $1 <> 0
        StrCpy $3 0
      ${EndIf}
    ${Else}
      ; The process cannot be opened: watch the window instead.
      StrCpy $2 0
      ${Do}
        System::Call "user32::IsWindow(p r0) i .r1"
        ${IfThen} $1 = 0 ${|} ${ExitDo} ${|}
        ${If} $2 >= ${CLOSE_DEADLINE_MS}
          StrCpy $3 0
          ${ExitDo}
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 100
      ${Loop}
    ${EndIf}
  ${EndIf}
  StrCpy $0 $3
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Ends the key bar (through the handle it publishes) and the Fn-key agent, as
; closing them by hand or `KeylarkFn --quit` would, and notes which ran.
; Asks to retry while one of them is still there; gives up in silent mode.
Function ${prefix}EndRunningKeylark
  Push $0
  StrCpy $KeyBarWasRunning 0
  StrCpy $AgentWasRunning 0
  ${Do}
    ClearErrors
    ReadRegDWORD $0 HKCU "${HANDLE_KEY}" "Keylark"
    ${IfNot} ${Errors}
    ${AndIf} $0 <> 0
      System::Call "user32::IsWindow(p r0) i .r0"
      ${If} $0 <> 0
        StrCpy $KeyBarWasRunning 1
        ReadRegDWORD $0 HKCU "${HANDLE_KEY}" "Keylark"
        Push $0
        Call ${prefix}CloseAndWait
        Pop $0
        ${IfThen} $0 = 0 ${|} Goto still_running ${|}
      ${EndIf}
    ${EndIf}
    FindWindow $0 "${AGENT_CLASS}"
    ${If} $0 <> 0
      StrCpy $AgentWasRunning 1
      Push $0
      Call ${prefix}CloseAndWait
      Pop $0
      ${IfThen} $0 = 0 ${|} Goto still_running ${|}
    ${EndIf}
    ${ExitDo}
  still_running:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
  retry:
  ${Loop}
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_AND_WAIT_FUNCTION ""
!insertmacro CLOSE_AND_WAIT_FUNCTION "un."

; --- Installing ---------------------------------------------------------------

Section "-Keylark" SecProgram
  SectionIn RO
  Call EndRunningKeylark
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetShellVarContext current
  CreateShortcut "$SMPROGRAMS\Keylark.lnk" "$INSTDIR\Keylark.exe" "" "$INSTDIR\Keylark.exe" 0
SectionEnd

Section "$(SectionJapanese)" SecJapanese
  CopyFiles /SILENT "$INSTDIR\lang\ja\Keylark.dll" "$INSTDIR\Keylark.dll"
SectionEnd

Section "$(SectionRunAtSignIn)" SecRunAtSignIn
  WriteRegStr HKCU "${RUN_KEY}" "Keylark" '"$INSTDIR\Keylark.exe"'
SectionEnd

Section /o "$(SectionFnAgent)" SecFnAgent
  WriteRegStr HKCU "${RUN_KEY}" "KeylarkFn" '"$INSTDIR\KeylarkFn.exe"'
SectionEnd

; What was not chosen goes; the installed-apps entry is written last, with
; the size of everything in place.
Section "-Finish"
  ${IfNot} ${SectionIsSelected} ${SecJapanese}
    Delete "$INSTDIR\Keylark.dll"
  ${EndIf}
  ${IfNot} ${SectionIsSelected} ${SecRunAtSignIn}
    DeleteRegValue HKCU "${RUN_KEY}" "Keylark"
  ${EndIf}
  ${IfNot} ${SectionIsSelected} ${SecFnAgent}
    DeleteRegValue HKCU "${RUN_KEY}" "KeylarkFn"
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_TEXT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Keylark.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; An upgrade starts again what it ended.
  ${If} $KeyBarWasRunning = 1
    Exec '"$INSTDIR\Keylark.exe"'
  ${EndIf}
  ${If} $AgentWasRunning = 1
    Exec '"$INSTDIR\KeylarkFn.exe"'
  ${EndIf}
  ${If} $StartWhenDone = 1
    ${If} $KeyBarWasRunning <> 1
      Exec '"$INSTDIR\Keylark.exe"'
    ${EndIf}
    Call WaitForKeyBar
  ${EndIf}
SectionEnd

; Waits, at most CLOSE_DEADLINE_MS, until the key bar shows. Its first start
; has then written the user's first settings, so a script that runs next
; (keylarkctl import of options) finds them.
Function WaitForKeyBar
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    ClearErrors
    ReadRegDWORD $0 HKCU "${HANDLE_KEY}" "Keylark"
    ${IfNot} ${Errors}
    ${AndIf} $0 <> 0
      System::Call "user32::IsWindowVisible(p r0) i .r0"
      ${IfThen} $0 <> 0 ${|} ${ExitDo} ${|}
    ${EndIf}
    ${IfThen} $1 >= ${CLOSE_DEADLINE_MS} ${|} ${ExitDo} ${|}
    Sleep 100
    IntOp $1 $1 + 100
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd

; The finish page's "start now": an upgrade has already started again the key
; bar it ended, and a second start would only bring it to the front.
Function StartKeylarkNow
  ${If} $KeyBarWasRunning <> 1
    Exec '"$INSTDIR\Keylark.exe"'
  ${EndIf}
FunctionEnd

; Preselects the choices: what an earlier installation has, the switches, the
; user's interface language, and for a first interactive installation the
; start at sign-in.
Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} ${Errors}
    StrCpy $R1 ""
  ${EndIf}

  SectionSetFlags ${SecRunAtSignIn} 0
  SectionSetFlags ${SecJapanese} 0
  ClearErrors
  ReadRegStr $0 HKCU "${RUN_KEY}" "Keylark"
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRunAtSignIn}
  ${EndIf}
  ClearErrors
  ReadRegStr $0 HKCU "${RUN_KEY}" "KeylarkFn"
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecFnAgent}
  ${EndIf}
  ${If} $R1 == ""
    ${IfNot} ${Silent}
      !insertmacro SelectSection ${SecRunAtSignIn}
    ${EndIf}
    ; 0x11 is the primary language Japanese.
    System::Call "kernel32::GetUserDefaultUILanguage() i .r0"
    IntOp $0 $0 & 0x3FF
    ${If} $0 = 0x11
      !insertmacro SelectSection ${SecJapanese}
    ${EndIf}
  ${ElseIf} ${FileExists} "$R1\Keylark.dll"
    !insertmacro SelectSection ${SecJapanese}
  ${EndIf}

  ClearErrors
  ${GetOptions} $R0 "/RUNATSIGNIN" $0
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRunAtSignIn}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/FNAGENT" $0
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecFnAgent}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/JAPANESE" $0
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecJapanese}
  ${EndIf}
  StrCpy $StartWhenDone 0
  ClearErrors
  ${GetOptions} $R0 "/START" $0
  ${IfNot} ${Errors}
    StrCpy $StartWhenDone 1
  ${EndIf}
FunctionEnd

; --- Uninstalling -----------------------------------------------------------

Section "Uninstall"
  Call un.EndRunningKeylark
  !include "${REMOVAL_LIST}"
  Delete "$INSTDIR\Keylark.dll"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Keylark.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Keylark"
  DeleteRegValue HKCU "${RUN_KEY}" "KeylarkFn"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The settings stay unless the user asks for them to go.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $0
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" /SD IDNO IDYES remove
    Goto done
  ${EndIf}
remove:
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty /ifnovalues HKCU "${HANDLE_KEY}"
done:
SectionEnd
