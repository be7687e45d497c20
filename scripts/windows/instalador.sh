#!/usr/bin/env bash
# Makes the Windows installer with Debian's NSIS from the dist folder:
#   instalador.sh <dist folder> <version> <Tarnwick.ico> <setup.exe>
# The version is the installer's own (its name, its version resource, the uninstall entry), so a test
# can make an older one from any folder. The lists the script (packaging/windows/Tarnwick.nsi) includes
# are written from the dist folder: the files it unpacks, renames into place and takes back on a failed
# upgrade, the files this version ships (an earlier version's others are removed) and the files its
# uninstaller removes, so that the user's files beside them stay. "Arquivos instalados.txt", installed
# with them, lists them for the next version's installer.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
DIST=$1 VERSAO=$2 ICONE=$3 SAIDA=$4
TRABALHO=$(mktemp -d)
trap 'rm -rf "$TRABALHO"' EXIT
LISTA="Arquivos instalados.txt"

janelas() { printf '%s' "${1//\//\\}"; }
# The dist folder's files and folders, relative to it (paths with '/').
ARQUIVOS=$(cd "$DIST" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
PASTAS=$(cd "$DIST" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort)

# The list an installation leaves beside the program (ASCII names, CRLF lines).
while read -r arquivo; do printf '%s\r\n' "$(janelas "$arquivo")"; done <<<"$ARQUIVOS" >"$TRABALHO/$LISTA"

{
  # Unpacked into the work folder, whole, before anything of the installation changes.
  printf 'SetOutPath "$INSTDIR\\${NOVOS}"\n'
  printf 'File "/oname=%s" "%s"\n' "$LISTA" "$TRABALHO/$LISTA"
  (cd "$DIST" && find . -type d | LC_ALL=C sort) | while read -r pasta; do
    rel=${pasta#.}; rel=${rel#/}
    printf 'SetOutPath "$INSTDIR\\${NOVOS}%s"\n' "${rel:+\\$(janelas "$rel")}"
    (cd "$DIST" && find "$pasta" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort) | while read -r arquivo; do
      printf 'File "%s"\n' "$DIST/${arquivo#./}"
    done
  done
} >"$TRABALHO/extrair.nsh"

{
  [ -z "$PASTAS" ] || while read -r pasta; do
    printf '!insertmacro PastaDaTroca "%s"\n' "$(janelas "$pasta")"
  done <<<"$PASTAS"
  printf '!insertmacro Troca "%s"\n' "$LISTA"
  while read -r arquivo; do printf '!insertmacro Troca "%s"\n' "$(janelas "$arquivo")"; done <<<"$ARQUIVOS"
} >"$TRABALHO/trocar.nsh"

{
  printf '!insertmacro Desfaz "%s"\n' "$LISTA"
  while read -r arquivo; do printf '!insertmacro Desfaz "%s"\n' "$(janelas "$arquivo")"; done <<<"$ARQUIVOS"
  # Folders this version added, and those of the files set aside, once empty again.
  [ -z "$PASTAS" ] || LC_ALL=C sort -r <<<"$PASTAS" | while read -r pasta; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(janelas "$pasta")"
    printf 'RMDir "$INSTDIR\\${ANTERIORES}\\%s"\n' "$(janelas "$pasta")"
  done
} >"$TRABALHO/desfazer.nsh"

while read -r arquivo; do
  printf 'StrCmp $R0 "%s" fim\n' "$(janelas "$arquivo")"
done <<<"$ARQUIVOS" >"$TRABALHO/desta-versao.nsh"

{
  while read -r arquivo; do printf 'Delete "$INSTDIR\\%s"\n' "$(janelas "$arquivo")"; done <<<"$ARQUIVOS"
  # The deepest folders first; each goes only when empty.
  [ -z "$PASTAS" ] || LC_ALL=C sort -r <<<"$PASTAS" | while read -r pasta; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(janelas "$pasta")"
  done
} >"$TRABALHO/remover.nsh"

mkdir -p "$(dirname "$SAIDA")"
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSAO="$VERSAO" -DICONE="$ICONE" -DSAIDA="$SAIDA" -DLISTAS="$TRABALHO" \
  "$ROOT/packaging/windows/Tarnwick.nsi"
