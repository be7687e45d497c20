; The Windows installer, Tarnwick-<version>-setup.exe, made by scripts/windows/instalador.sh:
;   makensis -DVERSAO=<a.b.c> -DICONE=<Tarnwick.ico> -DARQUIVOS=<list.nsh> -DARQUIVOS_REMOVER=<list.nsh>
;            -DSAIDA=<setup.exe> Tarnwick.nsi
; For the current user (no administrator rights asked) into %LOCALAPPDATA%\Programs\Tarnwick, or, when
; asked (/ALLUSERS or the page's choice; the installer run as administrator), for every user into
; %ProgramFiles%\Tarnwick. A Start-menu entry "Tarnwick" starts the program in the user's own
; %APPDATA%\Tarnwick (the program's switch --pasta-do-usuario), where the settings page saves
; Tarnwick.ini. The uninstaller removes what was installed and keeps the user's files: Tarnwick.ini
; and the logs (the folder "log" beside the program, or %LOCALAPPDATA%\Tarnwick\log).
; /S installs or uninstalls silently; /D=<folder> (last) installs there. An installation over an earlier
; one of the same mode goes to its folder.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS Win10

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define PRODUTO "Tarnwick"
!define EDITOR "Tarnwick developers"
!define CHAVE_DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick"
!define DESINSTALADOR "Desinstalar Tarnwick.exe"

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

!insertmacro MUI_PAGE_WELCOME
Page custom PaginaModo PaginaModoSai
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "PortugueseBR"

Function Administrador ; $0 = 1 when this process has administrator rights
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
FunctionEnd

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
      Abort
    ${EndIf}
    StrCpy $TodosUsuarios 1
  ${EndIf}
  Call DefineModo
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

Section "${PRODUTO}" SecPrograma
  SectionIn RO
  SetOutPath "$INSTDIR"
  SetOverwrite on
  !include "${ARQUIVOS}"
  WriteUninstaller "$INSTDIR\${DESINSTALADOR}"

  ; The Start-menu entry starts the program in the user's own folder, which it makes if missing. For an
  ; installation of one's own, the entry's working folder is that folder as well.
  ${If} $TodosUsuarios == 1
    SetOutPath "$INSTDIR"
  ${Else}
    CreateDirectory "$APPDATA\${PRODUTO}"
    SetOutPath "$APPDATA\${PRODUTO}"
  ${EndIf}
  CreateShortCut "$SMPROGRAMS\${PRODUTO}.lnk" "$INSTDIR\Tarnwick.exe" "--pasta-do-usuario" \
    "$INSTDIR\Tarnwick.exe" 0 SW_SHOWNORMAL "" "Download dos XMLs de notas fiscais eletrônicas"
  SetOutPath "$INSTDIR"

  ; "Apps & features" / "Add or remove programs".
  ${If} $TodosUsuarios == 1
    StrCpy $R9 HKLM
  ${Else}
    StrCpy $R9 HKCU
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  ${If} $R9 == HKLM
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayName" "${PRODUTO}"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayVersion" "${VERSAO}"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "Publisher" "${EDITOR}"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayIcon" "$INSTDIR\Tarnwick.exe,0"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "UninstallString" '"$INSTDIR\${DESINSTALADOR}" /ALLUSERS'
    WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\${DESINSTALADOR}" /ALLUSERS /S'
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
    WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\${DESINSTALADOR}" /S'
    WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "EstimatedSize" "$0"
    WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "NoModify" 1
    WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "NoRepair" 1
  ${EndIf}
SectionEnd

Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${If} ${Errors}
    SetShellVarContext current
  ${Else}
    SetShellVarContext all
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; Only what the installer put there: the folder "log" and anything the user saved stay.
  !include "${ARQUIVOS_REMOVER}"
  Delete "$INSTDIR\${DESINSTALADOR}"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUTO}.lnk"
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${If} ${Errors}
    DeleteRegKey HKCU "${CHAVE_DESINSTALAR}"
  ${Else}
    DeleteRegKey HKLM "${CHAVE_DESINSTALAR}"
  ${EndIf}
SectionEnd
