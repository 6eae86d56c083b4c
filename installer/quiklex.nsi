; Quiklex's installer and uninstaller (built by scripts/package with makensis).
;
; By default it installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Quiklex with a Start-menu shortcut and an entry in the user's list of
; installed programs; the program's own first start adds its automatic start.
; /ALLUSERS (administrator rights) installs into Program Files for every user, with the
; machine-wide entries, and makes the automatic start administrator-managed through the
; machine's Run list; /SHAREDINI=<folder> then also puts a shared quiklex.ini beside the
; program that keeps every user's settings file in that folder. An all-users install goes
; only into a folder under Program Files (/D may name another one there): elsewhere users
; could often change the program that the machine's Run list starts for every user.
; A running Quiklex is asked to close the way Windows asks a program it replaces (it saves its
; settings and ends) and is started again afterwards. The all-users installer runs with an
; administrator's token, which Quiklex must not inherit: it has the desktop's shell start the
; program as the signed-in user. /S installs and uninstalls silently.

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
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Quiklex nu"
!define MUI_FINISHPAGE_RUN_FUNCTION StartQuiklex
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Danish"

Var AllUsers
Var SharedIni
Var WasRunning

!define NOT_PROGRAM_FILES_TEXT \
  "Quiklex for alle brugere kan kun installeres i en mappe under $PROGRAMFILES64. Andre steder kan almindelige brugere ofte ${U+00E6}ndre filerne og dermed udskifte det program, der starter for alle brugere.$\r$\n$\r$\nV${U+00E6}lg en mappe under $PROGRAMFILES64."

; $R9 = 1 when $INSTDIR is a folder inside Program Files, whose rights Windows keeps so that
; only administrators can change what lies there; $INSTDIR is then written in full. The full
; path first: "Program Files\..\Users\Public" is no way round.
Function InProgramFiles
  StrCpy $R9 0
  System::Call 'kernel32::GetFullPathNameW(w "$INSTDIR", i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r0'
  ${If} $0 <= 0
  ${OrIf} $0 >= ${NSIS_MAX_STRLEN}
    Return
  ${EndIf}
  StrLen $2 $1
  StrLen $3 "$PROGRAMFILES64\"
  StrCpy $4 $1 $3
  ; LogicLib's == ignores letter case, as the file system does.
  ${If} $4 == "$PROGRAMFILES64\"
  ${AndIf} $2 > $3
    StrCpy $R9 1
    StrCpy $INSTDIR $1
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  ${If} $AllUsers == 1
    Call InProgramFiles
    ${If} $R9 != 1
      MessageBox MB_OK|MB_ICONSTOP "${NOT_PROGRAM_FILES_TEXT}"
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; Starts the installed program. For the current user the installer runs with the user's own
; rights and starts it itself. For all users it runs with an administrator's token, which the
; program must not have (it shows content from the network and starts the browser): the
; desktop's shell starts it as the signed-in user, through the shell's ShellExecute reached
; from the desktop window (IShellWindows, its browser's view, the view's IShellDispatch2).
; Without such a shell nothing is started, and the user is told to start it from the menu.
Function StartQuiklex
  ${If} $AllUsers != 1
    Exec '"$INSTDIR\quiklex.exe"'
    Return
  ${EndIf}
  Call ShellStartQuiklex
  ${If} $R0 != 0
    MessageBox MB_OK|MB_ICONINFORMATION \
      "Quiklex kunne ikke startes. Start Quiklex fra Start-menuen." /SD IDOK
  ${EndIf}
FunctionEnd

; $R0 = 0 when the desktop's shell took the start over.
Function ShellStartQuiklex
  StrCpy $R0 1
  System::Call 'ole32::CoInitialize(p 0) i .R1'
  ; VARIANTs: the desktop's place (VT_I4, CSIDL_DESKTOP), an empty one, and the show state
  ; (VT_I4, SW_SHOWNORMAL; an empty one would mean SW_HIDE). 24 bytes each, as on 64 bits.
  System::Call '*(i 3, i 0, l 0, l 0) p .R2'
  System::Call '*(i 0, i 0, l 0, l 0) p .R3'
  System::Call '*(i 3, i 0, l 1, l 0) p .R4'
  ; IShellWindows::FindWindowSW(SWC_DESKTOP, SWFO_NEEDDISPATCH)
  System::Call 'ole32::CoCreateInstance(g "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}", p 0, i 4, g "{85CB6900-4D95-11CF-960C-0080C7F4EE85}", *p .r1) i .r0'
  ${If} $0 = 0
    System::Call '$1->15(p R2, p R3, i 8, *i .r9, i 1, *p .r2) i .r0'
    ${If} $0 = 0
    ${AndIf} $2 P<> 0
      ; IServiceProvider::QueryService(SID_STopLevelBrowser, IID_IShellBrowser)
      System::Call '$2->0(g "{6D5140C1-7436-11CE-8034-00AA006009FA}", *p .r3) i .r0'
      ${If} $0 = 0
        System::Call '$3->3(g "{4C96BE40-915C-11CF-99D3-00AA004AE837}", g "{000214E2-0000-0000-C000-000000000046}", *p .r4) i .r0'
        ${If} $0 = 0
          ; IShellBrowser::QueryActiveShellView, IShellView::GetItemObject(SVGIO_BACKGROUND,
          ; IID_IDispatch)
          System::Call '$4->15(*p .r5) i .r0'
          ${If} $0 = 0
            System::Call '$5->15(i 0, g "{00020400-0000-0000-C000-000000000046}", *p .r6) i .r0'
            ${If} $0 = 0
              ; IShellFolderViewDual::get_Application, then IShellDispatch2
              System::Call '$6->0(g "{E7A1AF80-4D96-11CF-960C-0080C7F4EE85}", *p .r7) i .r0'
              ${If} $0 = 0
                System::Call '$7->7(*p .r8) i .r0'
                ${If} $0 = 0
                  System::Call '$8->0(g "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}", *p .R5) i .r0'
                  ${If} $0 = 0
                    System::Call 'oleaut32::SysAllocString(w "$INSTDIR\quiklex.exe") p .R6'
                    ; IShellDispatch2::ShellExecute(file, arguments, folder, verb, show): a
                    ; VARIANT goes by value, which 64-bit code passes as a pointer to a copy.
!if ${NSIS_PTR_SIZE} > 4
                    System::Call '$R5->31(p R6, p R3, p R3, p R3, p R4) i .r0'
!else
                    System::Call '$R5->31(p R6, l 0, l 0, l 0, l 0, l 0, l 0, i 3, i 0, i 1, i 0) i .r0'
!endif
                    ${If} $0 = 0
                      StrCpy $R0 0
                    ${EndIf}
                    System::Call 'oleaut32::SysFreeString(p R6)'
                    System::Call '$R5->2()'
                  ${EndIf}
                  System::Call '$8->2()'
                ${EndIf}
                System::Call '$7->2()'
              ${EndIf}
              System::Call '$6->2()'
            ${EndIf}
            System::Call '$5->2()'
          ${EndIf}
          System::Call '$4->2()'
        ${EndIf}
        System::Call '$3->2()'
      ${EndIf}
      System::Call '$2->2()'
    ${EndIf}
    System::Call '$1->2()'
  ${EndIf}
  System::Free $R2
  System::Free $R3
  System::Free $R4
  ${If} $R1 >= 0
    System::Call 'ole32::CoUninitialize()'
  ${EndIf}
FunctionEnd

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
    ; A silent install has no folder page to choose again on.
    ${If} ${Silent}
      Call InProgramFiles
      ${If} $R9 != 1
        MessageBox MB_OK|MB_ICONSTOP "${NOT_PROGRAM_FILES_TEXT}" /SD IDOK
        SetErrorLevel 2
        Quit
      ${EndIf}
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
    Call StartQuiklex
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
