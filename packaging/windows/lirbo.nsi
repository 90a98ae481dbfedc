; The Windows installer of Lirbo (Debian's makensis, script in UTF-8). Two ways to install:
;   for all users: Program Files, the Start menu of all users, a Windows Firewall rule for UDP
;     port 8800, the registration under HKLM; needs administrator rights;
;   for me only: %LOCALAPPDATA%\Programs\Lirbo, the user's own Start menu, the registration under
;     HKCU; no administrator rights and so no firewall rule: the last page says how to let the
;     port through when Windows asks.
; A page chooses when run interactively; /ALLUSERS or /CURRENTUSER chooses on the command line
; (with /S, silently). Without either the default is all users with administrator rights, the
; user alone without them. Either way the Start-menu entry starts the program in the user's own
; %APPDATA%\Lirbo, where lirbo.ini and the history live; uninstalling keeps them.
; Defines passed by the build: VERSION, EXE (the stripped program), ICON, WIZARD_BITMAP (the last
; page's picture, drawn from the icon), OUTFILE.
; A 64-bit installer for a 64-bit program (and Wine without its 32-bit half runs it too).
Target amd64-unicode
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"

Name "Lirbo"
OutFile "${OUTFILE}"
; Administrator rights are asked for only when installing for all users (see Elevate).
RequestExecutionLevel user
SetCompressor /SOLID lzma
BrandingText "Lirbo ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lirbo"
!define ACTIVE_SETUP_KEY "Software\Microsoft\Active Setup\Installed Components\Lirbo"
!define FIREWALL_RULE "Lirbo (UDP 8800)"
!define ERROR_ELEVATION_REQUIRED 740
; FOLDERID_UserProgramFiles: %LOCALAPPDATA%\Programs unless the user moved it.
!define FOLDERID_USER_PROGRAM_FILES "{5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_WELCOMEFINISHPAGE_BITMAP_NOSTRETCH

Var AllUsers            ; 1: for all users, 0: for me only
Var ModeOnCommandLine   ; 1 when /ALLUSERS or /CURRENTUSER chose the mode
Var Privileges          ; what UserInfo says: Admin, Power, User or Guest
Var GivenDir            ; the folder /D= named, which either mode keeps
Var ForMeButton
Var ForAllButton
Var FinishText

Page custom ModePageShow ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$FinishText"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

LangString FIREWALL_NOTE ${LANG_RUSSIAN} "Lirbo принимает сообщения на порту UDP 8800. Когда Windows при первом запуске спросит, разрешите Lirbo доступ к частной сети. Если этот вопрос не появился или доступ был запрещён: Панель управления → Брандмауэр Защитника Windows → Разрешение взаимодействия с приложением или компонентом → Lirbo (нужны права администратора)."

; The folder and the shell's idea of "all" or "current" for the chosen mode.
Function ApplyMode
    ${If} $AllUsers == 1
        SetShellVarContext all
        StrCpy $INSTDIR "$PROGRAMFILES64\Lirbo"
    ${Else}
        SetShellVarContext current
        GetKnownFolderPath $INSTDIR ${FOLDERID_USER_PROGRAM_FILES}
        ${If} $INSTDIR == ""
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs"
        ${EndIf}
        StrCpy $INSTDIR "$INSTDIR\Lirbo"
    ${EndIf}
    ${If} $GivenDir != ""
        StrCpy $INSTDIR $GivenDir
    ${EndIf}
FunctionEnd

; Starts this installer again with administrator rights for all users, and ends this copy.
Function Elevate
    ${If} ${Silent}
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
        Quit
    ${EndIf}
    ClearErrors
    ExecShell "runas" "$EXEPATH" "/ALLUSERS"
    ${IfNot} ${Errors}
        Quit
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "Для установки для всех пользователей нужны права администратора."
FunctionEnd

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "Для Lirbo нужна 64-разрядная Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    StrCpy $GivenDir $INSTDIR
    UserInfo::GetAccountType
    Pop $Privileges
    ${If} $Privileges == "Admin"
        StrCpy $AllUsers 1
    ${Else}
        StrCpy $AllUsers 0
    ${EndIf}
    StrCpy $ModeOnCommandLine 0
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/CURRENTUSER" $1
    ${IfNot} ${Errors}
        StrCpy $AllUsers 0
        StrCpy $ModeOnCommandLine 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/ALLUSERS" $1
    ${IfNot} ${Errors}
        StrCpy $AllUsers 1
        StrCpy $ModeOnCommandLine 1
        ${If} $Privileges != "Admin"
            Call Elevate
            Quit
        ${EndIf}
    ${EndIf}
    Call ApplyMode
FunctionEnd

Function ModePageShow
    ${If} $ModeOnCommandLine == 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "Способ установки" "Для кого установить Lirbo?"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateRadioButton} 0 0u 100% 12u "Только для меня"
    Pop $ForMeButton
    ${NSD_CreateLabel} 12u 13u -12u 30u "В папку программ пользователя и в его меню «Пуск». Права администратора не нужны; доступ к порту UDP 8800 Windows предложит разрешить при первом запуске."
    Pop $0
    ${NSD_CreateRadioButton} 0 50u 100% 12u "Для всех пользователей компьютера"
    Pop $ForAllButton
    ${NSD_CreateLabel} 12u 63u -12u 30u "В Program Files и в меню «Пуск» всех пользователей, с правилом брандмауэра для порта UDP 8800. Нужны права администратора."
    Pop $0
    ${If} $AllUsers == 1
        ${NSD_Check} $ForAllButton
    ${Else}
        ${NSD_Check} $ForMeButton
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function ModePageLeave
    ${NSD_GetState} $ForAllButton $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $AllUsers 1
        ${If} $Privileges != "Admin"
            Call Elevate
            Abort ; the administrator rights were refused: stay on this page
        ${EndIf}
    ${Else}
        StrCpy $AllUsers 0
    ${EndIf}
    Call ApplyMode
FunctionEnd

Section "Lirbo"
    SetOutPath "$INSTDIR"
    File "/oname=lirbo.exe" "${EXE}"
    ; The console programs for scripts.
    File "/oname=lirbo-send.exe" "${SEND_EXE}"
    File "/oname=lirbo-listen.exe" "${LISTEN_EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program keeps lirbo.ini and its history in the folder it starts in, and the program's
    ; own folder may not be writable: it starts in a folder of each user's. The entry of all
    ; users names it by %APPDATA%, which the shell expands for whoever starts it.
    CreateDirectory "$SMPROGRAMS\Lirbo"
    ${If} $AllUsers == 1
        StrCpy $OUTDIR "%APPDATA%\Lirbo"
    ${Else}
        StrCpy $OUTDIR "$APPDATA\Lirbo"
    ${EndIf}
    CreateShortCut "$SMPROGRAMS\Lirbo\Lirbo.lnk" "$INSTDIR\lirbo.exe" "" "$INSTDIR\lirbo.exe" 0
    SetOutPath "$INSTDIR"
    SetShellVarContext current
    CreateDirectory "$APPDATA\Lirbo"

    ${If} $AllUsers == 1
        SetShellVarContext all
        ; A start folder that does not exist stops the entry: the other users get theirs when
        ; they next log on.
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "" "Lirbo"
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" "1"
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" 'cmd.exe /q /c if not exist "%APPDATA%\Lirbo" md "%APPDATA%\Lirbo"'
        ; Messages arrive on UDP port 8800; a firewall that drops them is the usual complaint.
        nsExec::Exec 'netsh advfirewall firewall add rule name="${FIREWALL_RULE}" dir=in action=allow protocol=UDP localport=8800 program="$INSTDIR\lirbo.exe"'
        Pop $0
    ${EndIf}
    ; The last page tells of the rule only when netsh made it, else how to allow the port.
    ${If} $AllUsers == 1
    ${AndIf} $0 == 0
        StrCpy $FinishText "$(MUI_TEXT_FINISH_INFO_TEXT)$\r$\n$\r$\nПорт UDP 8800 открыт в брандмауэре Windows."
    ${Else}
        StrCpy $FinishText "$(MUI_TEXT_FINISH_INFO_TEXT)$\r$\n$\r$\n$(FIREWALL_NOTE)"
    ${EndIf}

    ; SHCTX: HKLM for all users, HKCU for the user alone.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Lirbo"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Lirbo developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lirbo.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller knows its mode by where it is: the folder the registration of all users names.
Function un.onInit
    SetRegView 64
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        StrCpy $AllUsers 1
        UserInfo::GetAccountType
        Pop $Privileges
        ${If} $Privileges != "Admin"
            ${If} ${Silent}
                SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
                Quit
            ${EndIf}
            ExecShell "runas" "$INSTDIR\uninstall.exe"
            Quit
        ${EndIf}
        SetShellVarContext all
    ${Else}
        StrCpy $AllUsers 0
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Section "Uninstall"
    ${If} $AllUsers == 1
        nsExec::Exec 'netsh advfirewall firewall delete rule name="${FIREWALL_RULE}"'
        Pop $0
        DeleteRegKey HKLM "${ACTIVE_SETUP_KEY}"
    ${EndIf}
    Delete "$INSTDIR\lirbo.exe"
    ; The console programs for scripts.
    Delete "$INSTDIR\lirbo-send.exe"
    Delete "$INSTDIR\lirbo-listen.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Lirbo\Lirbo.lnk"
    RMDir "$SMPROGRAMS\Lirbo"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ; The user's settings and history stay; the folder goes when nothing of the user's is in it.
    SetShellVarContext current
    RMDir "$APPDATA\Lirbo"
SectionEnd
