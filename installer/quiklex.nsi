; Quiklex's installer and uninstaller (built by scripts/package with makensis).
;
; By default it installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Quiklex with a Start-menu shortcut and an entry in the user's list of
; installed programs; the program's own first start adds its automatic start.
; /ALLUSERS (administrator rights) installs into Program Files for every user, with the
; machine-wide entries, and makes the automatic start administrator-managed through the
; machine's Run list; /SHAREDINI=<folder> then also puts a shared quiklex.ini beside the
; program that keeps every user's settings file in that folder.
; A running Quiklex is asked to close the way Windows asks a program it replaces (it saves its
; settings and ends) and is started again afterwards. /S installs and uninstalls silently.

Unicode true
; A 64-bit installer for the 64-bit program where makensis has the 64-bit stubs (Debian's
; has). One without them builds a 32-bit installer with -DTARGET=x86-unicode; that one installs
; alike, since both read and write the registry's 64-bit view (SetRegView 64 below).
!ifndef TARGET
  !define TARGET amd64-unicode
!endif
Target ${TARGET}
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION comes from scripts/package (the project's version)"
!endif
!ifndef PROGRAM
  !error "PROGRAM is the quiklex.exe to install"
!endif
!ifndef OUTFILE
  !define OUTFILE "quiklex-${VERSION}-setup.exe"
!endif

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "StrFunc.nsh"
${UnStrStr}

!define PRODUCT "Quiklex"
!define PUBLISHER "Quiklex"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quiklex"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PER_USER_DIR "$LOCALAPPDATA\Programs\Quiklex"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PER_USER_DIR}"
RequestExecutionLevel user
ShowInstDetails nevershow
ShowUninstDetails nevershow
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1030 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1030 "FileDescription" "Installation af ${PRODUCT}"
VIAddVersionKey /LANG=1030 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1030 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1030 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1030 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quiklex.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Quiklex nu"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Danish"

Var AllUsers
Var SharedIni
Var WasRunning

; Asks a running Quiklex to close as Windows asks a program it is about to replace: it saves
; its settings and ends. If it is still there after a while, the user is asked to end it; a
; silent run gives up instead of installing over a running program.
!macro END_QUIKLEX PREFIX
Function ${PREFIX}EndQuiklex
  StrCpy $WasRunning 0
  FindWindow $0 "TFormMain"
  ${If} $0 == 0
    Return
  ${EndIf}
  StrCpy $WasRunning 1
  retry:
  FindWindow $0 "TFormMain"
  ${If} $0 <> 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
    ; WM_QUERYENDSESSION, then WM_ENDSESSION, both with ENDSESSION_CLOSEAPP.
    System::Call 'user32::SendMessageTimeoutW(p r0, i 0x11, p 0, p 1, i 2, i 5000, *p .r1)'
    System::Call 'user32::SendMessageTimeoutW(p r0, i 0x16, p 1, p 1, i 2, i 5000, *p .r1)'
    ${If} $3 <> 0
      System::Call 'kernel32::WaitForSingleObject(p r3, i 15000) i .r4'
      System::Call 'kernel32::CloseHandle(p r3)'
    ${Else}
      Sleep 3000
    ${EndIf}
    FindWindow $0 "TFormMain"
    ${If} $0 <> 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Quiklex k${U+00F8}rer stadig. Afslut Quiklex (h${U+00F8}jreklik p${U+00E5} panelet og v${U+00E6}lg $\"Afslut$\") og klik p${U+00E5} Pr${U+00F8}v igen." \
        /SD IDCANCEL IDRETRY retry
      Abort "Quiklex k${U+00F8}rer stadig."
    ${EndIf}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro END_QUIKLEX ""
!insertmacro END_QUIKLEX "un."

; Removes every value of a Run list that names the program in $INSTDIR, and the value
; "quiklex" that points there.
!macro REMOVE_RUN_ENTRIES ROOT
  StrCpy $5 0
  ${Do}
    EnumRegValue $6 ${ROOT} "${RUN_KEY}" $5
    ${If} $6 == ""
      ${Break}
    ${EndIf}
    ReadRegStr $7 ${ROOT} "${RUN_KEY}" $6
    ${UnStrStr} $8 $7 "$INSTDIR\quiklex.exe"
    ${If} $8 != ""
      DeleteRegValue ${ROOT} "${RUN_KEY}" $6
    ${Else}
      IntOp $5 $5 + 1
    ${EndIf}
  ${Loop}
!macroend

Function .onInit
  SetRegView 64
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    UserInfo::GetAccountType
    Pop $R2
    ${If} $R2 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP \
        "Installation for alle brugere kr${U+00E6}ver administratorrettigheder." /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    ; Unless /D named a folder: Program Files (compared while the folders are still the user's).
    ${If} $INSTDIR == "${PER_USER_DIR}"
      StrCpy $INSTDIR "$PROGRAMFILES64\Quiklex"
    ${EndIf}
    SetShellVarContext all
    ClearErrors
    ${GetOptions} $R0 "/SHAREDINI=" $SharedIni
  ${Else}
    StrCpy $AllUsers 0
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Quiklex"
  Call EndQuiklex
  SetOutPath "$INSTDIR"
  File "/oname=quiklex.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Quiklex.lnk" "$INSTDIR\quiklex.exe" "" "$INSTDIR\quiklex.exe" 0

  ${If} $AllUsers == 1
    StrCpy $R3 " /ALLUSERS"
    ; The machine's Run list in the form the program recognises: its automatic start is then
    ; managed by the administrator.
    WriteRegStr HKLM "${RUN_KEY}" "quiklex" '"$INSTDIR\quiklex.exe" -auto'
    ${If} $SharedIni != ""
      FileOpen $R4 "$INSTDIR\quiklex.ini" w
      FileWrite $R4 "[Shared Settings]$\r$\nUsersIniFilePath=$SharedIni\%USER%.ini$\r$\n"
      FileClose $R4
      ; Only a shared file the installer wrote goes with the program.
      WriteRegStr SHCTX "${UNINSTALL_KEY}" "SharedSettingsFile" "$INSTDIR\quiklex.ini"
    ${EndIf}
  ${Else}
    StrCpy $R3 ""
  ${EndIf}

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quiklex.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"$R3'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S$R3'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $R5 $R6 $R7
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $R5

  ; A program that ran before the installation runs again afterwards.
  ${If} $WasRunning == 1
    Exec '"$INSTDIR\quiklex.exe"'
  ${EndIf}
SectionEnd

Function un.onInit
  SetRegView 64
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    StrCpy $AllUsers 0
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndQuiklex
  ReadRegStr $R2 SHCTX "${UNINSTALL_KEY}" "SharedSettingsFile"
  ${If} $R2 != ""
    Delete "$R2"
  ${EndIf}
  Delete "$INSTDIR\quiklex.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Quiklex.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  !insertmacro REMOVE_RUN_ENTRIES HKCU
  ${If} $AllUsers == 1
    !insertmacro REMOVE_RUN_ENTRIES HKLM
  ${EndIf}
  ; The users' settings files stay: they belong to the users.
SectionEnd
