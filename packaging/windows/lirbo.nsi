; The Windows installer of Lirbo (Debian's makensis). Installs lirbo.exe to Program Files, makes
; a Start-menu entry that starts the program in a folder of the user's own (lirbo.ini lives there),
; lets UDP port 8800 through Windows Firewall, and registers an uninstaller that removes all of it.
; Defines passed by the build: VERSION, EXE (the stripped program), OUTFILE.
; A 64-bit installer for a 64-bit program (and Wine without its 32-bit half runs it too).
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"

Name "Lirbo"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Lirbo"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "Lirbo ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lirbo"
!define FIREWALL_RULE "Lirbo (UDP 8800)"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Section "Lirbo"
    SetRegView 64
    SetOutPath "$INSTDIR"
    File "/oname=lirbo.exe" "${EXE}"
    ; The console programs for scripts.
    File "/oname=lirbo-send.exe" "${SEND_EXE}"
    File "/oname=lirbo-listen.exe" "${LISTEN_EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; Program Files is not writable for the user: the program runs in a folder of the user's.
    SetShellVarContext current
    CreateDirectory "$APPDATA\Lirbo"
    CreateDirectory "$SMPROGRAMS\Lirbo"
    SetOutPath "$APPDATA\Lirbo"
    CreateShortCut "$SMPROGRAMS\Lirbo\Lirbo.lnk" "$INSTDIR\lirbo.exe" "" "$INSTDIR\lirbo.exe" 0
    SetOutPath "$INSTDIR"

    ; Messages arrive on UDP port 8800; a firewall that drops them is the usual complaint.
    nsExec::Exec 'netsh advfirewall firewall add rule name="${FIREWALL_RULE}" dir=in action=allow protocol=UDP localport=8800 program="$INSTDIR\lirbo.exe"'
    Pop $0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Lirbo"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Lirbo developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lirbo.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetRegView 64
    nsExec::Exec 'netsh advfirewall firewall delete rule name="${FIREWALL_RULE}"'
    Pop $0
    Delete "$INSTDIR\lirbo.exe"
    ; The console programs for scripts.
    Delete "$INSTDIR\lirbo-send.exe"
    Delete "$INSTDIR\lirbo-listen.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Lirbo\Lirbo.lnk"
    RMDir "$SMPROGRAMS\Lirbo"
    ; The user's settings stay; the folder goes when nothing of the user's is in it.
    RMDir "$APPDATA\Lirbo"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "Lirbo needs 64-bit Windows."
        Abort
    ${EndIf}
FunctionEnd
