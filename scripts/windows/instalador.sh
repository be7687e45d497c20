#!/usr/bin/env bash
# Makes the Windows installer with Debian's NSIS from the dist folder:
#   instalador.sh <dist folder> <version> <Tarnwick.ico> <setup.exe>
# The lists of files it installs and its uninstaller removes are written from the dist folder, so
# that the uninstaller removes exactly what was installed and leaves the user's files beside them.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
DIST=$1 VERSAO=$2 ICONE=$3 SAIDA=$4
TRABALHO=$(mktemp -d)
trap 'rm -rf "$TRABALHO"' EXIT

janelas() { printf '%s' "${1//\//\\}"; }

{
  (cd "$DIST" && find . -type d | sort) | while read -r pasta; do
    rel=${pasta#.}; rel=${rel#/}
    printf 'SetOutPath "$INSTDIR%s"\n' "${rel:+\\$(janelas "$rel")}"
    (cd "$DIST" && find "$pasta" -mindepth 1 -maxdepth 1 -type f | sort) | while read -r arquivo; do
      printf 'File "%s"\n' "$DIST/${arquivo#./}"
    done
  done
  printf 'SetOutPath "$INSTDIR"\n'
} >"$TRABALHO/arquivos.nsh"

{
  (cd "$DIST" && find . -type f | sort) | while read -r arquivo; do
    printf 'Delete "$INSTDIR\\%s"\n' "$(janelas "${arquivo#./}")"
  done
  # The deepest folders first; each goes only when empty.
  (cd "$DIST" && find . -mindepth 1 -type d | sort -r) | while read -r pasta; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(janelas "${pasta#./}")"
  done
} >"$TRABALHO/remover.nsh"

mkdir -p "$(dirname "$SAIDA")"
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSAO="$VERSAO" -DICONE="$ICONE" -DSAIDA="$SAIDA" \
  -DARQUIVOS="$TRABALHO/arquivos.nsh" -DARQUIVOS_REMOVER="$TRABALHO/remover.nsh" \
  "$ROOT/packaging/windows/Tarnwick.nsi"
