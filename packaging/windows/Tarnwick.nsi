; The Windows installer, Tarnwick-<version>-setup.exe, made by scripts/windows/instalador.sh:
;   makensis -DVERSAO=<a.b.c> -DICONE=<Tarnwick.ico> -DLISTAS=<folder of the generated lists>
;            -DSAIDA=<setup.exe> Tarnwick.nsi
; For the current user (no administrator rights asked) into %LOCALAPPDATA%\Programs\Tarnwick, or, when
; asked (/ALLUSERS or the page's choice; the installer run as administrator), for every user into
; %ProgramFiles%\Tarnwick or a folder of the administrator's choice, which then gets the rights of
; %ProgramFiles% (administrators and SYSTEM full control, users read and execute, nothing inherited from
; its parent). A Start-menu folder "Tarnwick" holds the entry that starts the program in the user's own
; %APPDATA%\Tarnwick (the program's switch --pasta-do-usuario), where the settings page saves
; Tarnwick.ini, and the guide. The uninstaller removes what was installed and keeps the user's files:
; Tarnwick.ini and the logs (the folder "log" beside the program, or %LOCALAPPDATA%\Tarnwick\log), and
; takes its mode from the machine's uninstall entry: the folder it names is an installation for all users.
; /S installs or uninstalls silently; /D=<folder> (last) installs there. The quiet uninstall command
; runs the uninstaller in place (_?=<folder>), so that its exit code reaches the caller. An installation over an earlier
; one of the same mode goes to its folder.
;
; Neither runs while the program does: the running program holds the named mutex
; Global\TarnwickEmExecucao; they ask to close it (silent: exit code 3, nothing changed). An upgrade
; unpacks the new files beside the old ones first and only then renames them into place; a failed rename
; puts the old files back. The list of the files an installation placed ("Arquivos instalados.txt")
; tells the next one which files of the older version it no longer ships, and it removes them.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS Win10

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include TextFunc.nsh
!include nsDialogs.nsh

!define PRODUTO "Tarnwick"
!define EDITOR "Tarnwick developers"
!define CHAVE_DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick"
!define DESINSTALADOR "Desinstalar Tarnwick.exe"
!define LISTA "Arquivos instalados.txt"
!define GUIA "guia\Guia do Tarnwick.html"
!define MUTEX "Global\TarnwickEmExecucao"
; An upgrade's work folders inside the program's folder (so they share its volume and its rights).
!define TRABALHO "~instalacao"
!define NOVOS "${TRABALHO}\novos"
!define ANTERIORES "${TRABALHO}\anteriores"
; Exit codes besides NSIS's own (1 cancelled by the user, 2 aborted).
!define SAIDA_EM_EXECUCAO 3
!define SAIDA_PASTA_RECUSADA 4
!define SAIDA_ARQUIVOS 5
!define SAIDA_SEM_DIREITOS 740 ; ERROR_ELEVATION_REQUIRED
!define TEXTO_EM_EXECUCAO "O ${PRODUTO} está em execução neste computador.$\r$\n$\r$\nFeche o ${PRODUTO} (em todas as sessões de usuário abertas) e clique em Repetir para continuar, ou clique em Cancelar para sair sem alterar nada."

Name "${PRODUTO}"
OutFile "${SAIDA}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUTO}"
BrandingText "${PRODUTO} ${VERSAO}"
VIProductVersion "${VERSAO}.0"
VIAddVersionKey /LANG=1046 "ProductName" "${PRODUTO}"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSAO}"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSAO}"
VIAddVersionKey /LANG=1046 "CompanyName" "${EDITOR}"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalador do ${PRODUTO}"
VIAddVersionKey /LANG=1046 "LegalCopyright" "Copyright (c) 2026 ${EDITOR}. Todos os direitos reservados."

!define MUI_ICON "${ICONE}"
!define MUI_UNICON "${ICONE}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_NOAUTOCLOSE

Var TodosUsuarios   ; 1: for every user of the machine
Var PastaPedida     ; the folder of /D=, which wins over every other
Var BotaoSoEu
Var BotaoTodos
Var Falhou          ; 1 once a rename of the upgrade failed

!insertmacro MUI_PAGE_WELCOME
Page custom PaginaModo PaginaModoSai
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "PortugueseBR"

; The functions both the installer and the uninstaller call (the uninstaller's are named un.*).
!macro FuncoesComuns UN
Function ${UN}Administrador ; $0 = 1 when this process has administrator rights
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
FunctionEnd

; Waits while the program runs anywhere on the machine: $0 = 1 once it is not running, 0 when the user
; gave up (silent: at once). The program holds the mutex; one another user's program holds may refuse
; this user access, which tells as much.
Function ${UN}EsperaFechar
  StrCpy $0 1
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p.r1 ?e'
    Pop $2
    ${If} $1 != 0
      System::Call 'kernel32::CloseHandle(p r1)'
    ${ElseIf} $2 != 5
      ${Break}
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${TEXTO_EM_EXECUCAO}" /SD IDCANCEL IDCANCEL`
      StrCpy $0 0
      ${Break}
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro FuncoesComuns ""
!insertmacro FuncoesComuns "un."

; The mode's folder: where an earlier version of that mode is installed, else the default one.
Function DefineModo
  ${If} $TodosUsuarios == 1
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUTO}"
    ReadRegStr $R8 HKLM "${CHAVE_DESINSTALAR}" "InstallLocation"
  ${Else}
    SetShellVarContext current
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUTO}"
    ReadRegStr $R8 HKCU "${CHAVE_DESINSTALAR}" "InstallLocation"
  ${EndIf}
  ${If} $R8 != ""
    StrCpy $INSTDIR $R8
  ${EndIf}
  ${If} $PastaPedida != ""
    StrCpy $INSTDIR $PastaPedida
  ${EndIf}
FunctionEnd

Function .onInit
  ${If} $INSTDIR != "$LOCALAPPDATA\Programs\${PRODUTO}"
    StrCpy $PastaPedida $INSTDIR
  ${EndIf}
  StrCpy $TodosUsuarios 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    Call Administrador
    ${If} $0 != 1
      MessageBox MB_OK|MB_ICONSTOP "A instalação para todos os usuários requer direitos de administrador.$\r$\nExecute o instalador como administrador." /SD IDOK
      SetErrorLevel ${SAIDA_SEM_DIREITOS}
      Quit
    ${EndIf}
    StrCpy $TodosUsuarios 1
  ${EndIf}
  Call DefineModo
  Call EsperaFechar
  ${If} $0 != 1
    SetErrorLevel ${SAIDA_EM_EXECUCAO}
    Quit
  ${EndIf}
FunctionEnd

Function PaginaModo
  !insertmacro MUI_HEADER_TEXT "Tipo de instalação" "Escolha para quem o ${PRODUTO} será instalado."
  nsDialogs::Create 1018
  Pop $R0
  ${NSD_CreateLabel} 0 0 100% 24u "Instalar o ${PRODUTO} para:"
  Pop $R0
  ${NSD_CreateRadioButton} 10u 28u 100% 12u "Somente para mim (não requer direitos de administrador)"
  Pop $BotaoSoEu
  ${NSD_CreateRadioButton} 10u 44u 100% 12u "Todos os usuários deste computador (requer direitos de administrador)"
  Pop $BotaoTodos
  ${If} $TodosUsuarios == 1
    ${NSD_Check} $BotaoTodos
  ${Else}
    ${NSD_Check} $BotaoSoEu
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function PaginaModoSai
  ${NSD_GetState} $BotaoTodos $R0
  ${If} $R0 == ${BST_CHECKED}
    Call Administrador
    ${If} $0 != 1
      MessageBox MB_OK|MB_ICONEXCLAMATION "A instalação para todos os usuários requer direitos de administrador.$\r$\nExecute o instalador como administrador ou escolha instalar somente para você."
      Abort
    ${EndIf}
    StrCpy $TodosUsuarios 1
  ${Else}
    StrCpy $TodosUsuarios 0
  ${EndIf}
  Call DefineModo
FunctionEnd

; An installation for all users: a folder of another installation for all users, an empty or a new
; one. A folder someone filled beforehand could hold a DLL the program would load.
Function VerificaPastaTodos
  ReadRegStr $R8 HKLM "${CHAVE_DESINSTALAR}" "InstallLocation"
  ${If} $R8 == $INSTDIR
    Return
  ${EndIf}
  FindFirst $R6 $R7 "$INSTDIR\*"
  ${DoWhile} $R7 != ""
    ${If} $R7 != "."
    ${AndIf} $R7 != ".."
      FindClose $R6
      MessageBox MB_OK|MB_ICONSTOP "A pasta $INSTDIR não está vazia.$\r$\nPara instalar para todos os usuários, escolha uma pasta nova ou vazia." /SD IDOK
      SetErrorLevel ${SAIDA_PASTA_RECUSADA}
      Abort
    ${EndIf}
    FindNext $R6 $R7
  ${Loop}
  FindClose $R6
FunctionEnd

; The rights of %ProgramFiles% on the program's folder, whatever its parent grants: owner the
; Administrators, full control for them and SYSTEM, read and execute for Users, inheritance from the
; parent cut; Windows applies them to what the folder holds and to what is made in it later.
Function ProtegePasta
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "O:BAD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", i 1, *p .r1, p 0) i .r0'
  ${If} $0 == 0
    StrCpy $0 1
    Return
  ${EndIf}
  System::Call 'advapi32::GetSecurityDescriptorDacl(p r1, *i .r2, *p .r3, *i .r4) i .r0'
  System::Call 'advapi32::GetSecurityDescriptorOwner(p r1, *p .r5, *i .r6) i .r0'
  ; OWNER | DACL | PROTECTED_DACL
  System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i 1, i 0x80000005, p r5, p 0, p r3, p 0) i .r0'
  ${If} $0 != 0
    ; The owner cannot be changed by every administrator's token: the rights alone still hold.
    System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i 1, i 0x80000004, p 0, p 0, p r3, p 0) i .r0'
  ${EndIf}
  System::Call 'kernel32::LocalFree(p r1)'
FunctionEnd

; The upgrade's steps, for the file (or folder) of the program's folder ${REL}.
!macro PastaDaTroca REL
  CreateDirectory "$INSTDIR\${REL}"
  CreateDirectory "$INSTDIR\${ANTERIORES}\${REL}"
!macroend
!macro Troca REL
  ; Each test of the error flag clears it: one test per operation.
  ${If} $Falhou == 0
    ClearErrors
    ${If} ${FileExists} "$INSTDIR\${REL}"
      Rename "$INSTDIR\${REL}" "$INSTDIR\${ANTERIORES}\${REL}"
    ${EndIf}
    ${If} ${Errors}
      StrCpy $Falhou 1
    ${Else}
      Rename "$INSTDIR\${NOVOS}\${REL}" "$INSTDIR\${REL}"
      ${If} ${Errors}
        StrCpy $Falhou 1
      ${EndIf}
    ${EndIf}
    ${If} $Falhou == 1
      DetailPrint "Não foi possível substituir $INSTDIR\${REL}."
    ${EndIf}
  ${EndIf}
!macroend
!macro Desfaz REL
  ${If} ${FileExists} "$INSTDIR\${ANTERIORES}\${REL}"
    Delete "$INSTDIR\${REL}"
    Rename "$INSTDIR\${ANTERIORES}\${REL}" "$INSTDIR\${REL}"
  ${ElseIfNot} ${FileExists} "$INSTDIR\${NOVOS}\${REL}"
    Delete "$INSTDIR\${REL}"
  ${EndIf}
!macroend

; $R1 = 1 when this version ships the file $R0 (relative to the program's folder).
Function EhDestaVersao
  StrCpy $R1 1
  StrCmp $R0 "${LISTA}" fim
  StrCmp $R0 "${DESINSTALADOR}" fim
  !include "${LISTAS}\desta-versao.nsh"
  StrCpy $R1 0
  fim:
FunctionEnd

; The files the earlier installation listed and this version does not ship go, with their folders
; once empty.
Function RemoveObsoletos
  ClearErrors
  FileOpen $R5 "$INSTDIR\${ANTERIORES}\${LISTA}" r
  ${If} ${Errors}
    Return
  ${EndIf}
  ${Do}
    ClearErrors
    FileRead $R5 $R0
    ${If} ${Errors}
      ${Break}
    ${EndIf}
    ${TrimNewLines} $R0 $R0
    ${If} $R0 == ""
      ${Continue}
    ${EndIf}
    Call EhDestaVersao
    ${If} $R1 == 0
      DetailPrint "Removendo $INSTDIR\$R0 (não faz mais parte do ${PRODUTO})"
      Delete "$INSTDIR\$R0"
      ${GetParent} "$INSTDIR\$R0" $R2
      ${DoWhile} $R2 != $INSTDIR
        RMDir $R2
        ${GetParent} $R2 $R2
        ${If} $R2 == ""
          ${Break}
        ${EndIf}
      ${Loop}
    ${EndIf}
  ${Loop}
  FileClose $R5
FunctionEnd

Section "${PRODUTO}" SecPrograma
  SectionIn RO
  ; The program may have been started while the pages were shown.
  Call EsperaFechar
  ${If} $0 != 1
    SetErrorLevel ${SAIDA_EM_EXECUCAO}
    Abort "O ${PRODUTO} está em execução: nada foi alterado."
  ${EndIf}
  ${If} $TodosUsuarios == 1
    Call VerificaPastaTodos
  ${EndIf}
  CreateDirectory "$INSTDIR"
  ${If} $TodosUsuarios == 1
    Call ProtegePasta
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONSTOP "Não foi possível definir as permissões da pasta $INSTDIR (erro $0).$\r$\nNada foi instalado." /SD IDOK
      SetErrorLevel ${SAIDA_PASTA_RECUSADA}
      Abort
    ${EndIf}
  ${EndIf}

  ; The new files, whole, beside the old ones: a failure here leaves the installation as it was.
  RMDir /r "$INSTDIR\${TRABALHO}"
  SetOverwrite on
  ClearErrors
  !include "${LISTAS}\extrair.nsh"
  ${If} ${Errors}
    SetOutPath "$INSTDIR"
    RMDir /r "$INSTDIR\${TRABALHO}"
    MessageBox MB_OK|MB_ICONSTOP "Não foi possível gravar os arquivos do ${PRODUTO} em $INSTDIR.$\r$\nNada foi alterado." /SD IDOK
    SetErrorLevel ${SAIDA_ARQUIVOS}
    Abort
  ${EndIf}
  ; Then renamed into place, each old file kept aside until all are in; a failed rename puts back the
  ; old files.
  StrCpy $Falhou 0
  SetOutPath "$INSTDIR"
  !include "${LISTAS}\trocar.nsh"
  ${If} $Falhou == 1
    !include "${LISTAS}\desfazer.nsh"
    RMDir /r "$INSTDIR\${NOVOS}"
    RMDir "$INSTDIR\${ANTERIORES}"
    RMDir "$INSTDIR\${TRABALHO}"
    MessageBox MB_OK|MB_ICONSTOP "Não foi possível substituir os arquivos do ${PRODUTO} em $INSTDIR (algum deles está em uso).$\r$\nA versão anterior foi mantida." /SD IDOK
    SetErrorLevel ${SAIDA_ARQUIVOS}
    Abort
  ${EndIf}
  Call RemoveObsoletos
  RMDir /r "$INSTDIR\${TRABALHO}"
  WriteUninstaller "$INSTDIR\${DESINSTALADOR}"

  ; The Start-menu folder: the entry starts the program in the user's own folder, which it makes if
  ; missing (for an installation of one's own, the entry's working folder is that folder as well), and
  ; the guide. An earlier version's entry stood alone.
  Delete "$SMPROGRAMS\${PRODUTO}.lnk"
  CreateDirectory "$SMPROGRAMS\${PRODUTO}"
  ${If} $TodosUsuarios == 1
    SetOutPath "$INSTDIR"
  ${Else}
    CreateDirectory "$APPDATA\${PRODUTO}"
    SetOutPath "$APPDATA\${PRODUTO}"
  ${EndIf}
  CreateShortCut "$SMPROGRAMS\${PRODUTO}\${PRODUTO}.lnk" "$INSTDIR\Tarnwick.exe" "--pasta-do-usuario" \
    "$INSTDIR\Tarnwick.exe" 0 SW_SHOWNORMAL "" "Download dos XMLs de notas fiscais eletrônicas"
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\${PRODUTO}\Guia do ${PRODUTO}.lnk" "$INSTDIR\${GUIA}" "" "" 0 SW_SHOWNORMAL \
    "" "Instalação, configuração e uso do ${PRODUTO}"

  ; "Apps & features" / "Add or remove programs".
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  ${If} $TodosUsuarios == 1
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayName" "${PRODUTO}"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayVersion" "${VERSAO}"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "Publisher" "${EDITOR}"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayIcon" "$INSTDIR\Tarnwick.exe,0"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "UninstallString" '"$INSTDIR\${DESINSTALADOR}"'
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\${DESINSTALADOR}" /S _?=$INSTDIR'
    WriteRegDWORD HKLM "${CHAVE_DESINSTALAR}" "EstimatedSize" "$0"
    WriteRegDWORD HKLM "${CHAVE_DESINSTALAR}" "NoModify" 1
    WriteRegDWORD HKLM "${CHAVE_DESINSTALAR}" "NoRepair" 1
  ${Else}
    WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "DisplayName" "${PRODUTO}"
    WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "DisplayVersion" "${VERSAO}"
    WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "Publisher" "${EDITOR}"
    WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "DisplayIcon" "$INSTDIR\Tarnwick.exe,0"
    WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "UninstallString" '"$INSTDIR\${DESINSTALADOR}"'
    WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\${DESINSTALADOR}" /S _?=$INSTDIR'
    WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "EstimatedSize" "$0"
    WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "NoModify" 1
    WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "NoRepair" 1
  ${EndIf}
SectionEnd

; The mode is the installation's: the folder the machine's uninstall entry names was installed for all
; users (the switch /ALLUSERS of earlier versions is accepted and changes nothing). Without the rights
; that needs, the uninstaller asks for them (Windows' elevation prompt) and runs again with them.
; $0 = 1 when the folder $R8 is this uninstaller's $INSTDIR: the same name (without regard to case), or
; the same folder under another name (its short name, another drive that maps it): a file made in one is
; seen in the other.
Function un.EhEstaPasta
  StrCpy $0 0
  ${If} $R8 == ""
    Return
  ${EndIf}
  ${If} $R8 == $INSTDIR
    StrCpy $0 1
    Return
  ${EndIf}
  System::Call 'kernel32::GetTickCount() i .r1'
  StrCpy $2 "~tarnwick-$1.tmp"
  ClearErrors
  FileOpen $3 "$INSTDIR\$2" w
  ${IfNot} ${Errors}
    FileClose $3
    ${If} ${FileExists} "$R8\$2"
      StrCpy $0 1
    ${EndIf}
    Delete "$INSTDIR\$2"
  ${EndIf}
FunctionEnd

Function un.onInit
  StrCpy $TodosUsuarios 0
  ReadRegStr $R8 HKLM "${CHAVE_DESINSTALAR}" "InstallLocation"
  Call un.EhEstaPasta
  ${If} $0 == 1
    StrCpy $TodosUsuarios 1
  ${EndIf}
  ${If} $TodosUsuarios == 1
    SetShellVarContext all
    Call un.Administrador
    ${If} $0 != 1
      ${If} ${Silent}
        SetErrorLevel ${SAIDA_SEM_DIREITOS}
        Quit
      ${EndIf}
      MessageBox MB_OKCANCEL|MB_ICONINFORMATION "O ${PRODUTO} foi instalado para todos os usuários deste computador: a desinstalação requer direitos de administrador.$\r$\n$\r$\nClique em OK para continuar como administrador." IDOK eleva
      SetErrorLevel 1
      Quit
      eleva:
      ${GetParameters} $R0
      ClearErrors
      ExecShellWait "runas" "$EXEPATH" '$R0 _?=$INSTDIR'
      ${If} ${Errors}
        MessageBox MB_OK|MB_ICONEXCLAMATION "A desinstalação não foi feita: os direitos de administrador não foram concedidos."
        SetErrorLevel ${SAIDA_SEM_DIREITOS}
      ${EndIf}
      Quit
    ${EndIf}
  ${Else}
    SetShellVarContext current
  ${EndIf}
  Call un.EsperaFechar
  ${If} $0 != 1
    SetErrorLevel ${SAIDA_EM_EXECUCAO}
    Quit
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EsperaFechar
  ${If} $0 != 1
    SetErrorLevel ${SAIDA_EM_EXECUCAO}
    Abort "O ${PRODUTO} está em execução: nada foi alterado."
  ${EndIf}
  ; Only what the installer put there: the folder "log" and anything the user saved stay.
  !include "${LISTAS}\remover.nsh"
  Delete "$INSTDIR\${LISTA}"
  Delete "$INSTDIR\${DESINSTALADOR}"
  RMDir /r "$INSTDIR\${TRABALHO}"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUTO}\${PRODUTO}.lnk"
  Delete "$SMPROGRAMS\${PRODUTO}\Guia do ${PRODUTO}.lnk"
  RMDir "$SMPROGRAMS\${PRODUTO}"
  Delete "$SMPROGRAMS\${PRODUTO}.lnk"
  ${If} $TodosUsuarios == 1
    DeleteRegKey HKLM "${CHAVE_DESINSTALAR}"
  ${Else}
    DeleteRegKey HKCU "${CHAVE_DESINSTALAR}"
  ${EndIf}
  ; Run in place (_?=, as the quiet uninstall command runs it, so that its exit code is the
  ; uninstaller's own), it cannot delete itself: a hidden command interpreter does once it has ended.
  ${If} $EXEDIR == $INSTDIR
    SetOutPath "$TEMP" ; its working folder, which would keep the program's folder
    ExecShell "" "$SYSDIR\cmd.exe" '/c ping -n 4 127.0.0.1 >nul & del /f /q "$INSTDIR\${DESINSTALADOR}" & rmdir "$INSTDIR"' SW_HIDE
  ${EndIf}
SectionEnd
