#!/usr/bin/env bash
# Prepares the demo's working directory and its local notes service:
#   scripts/demo-setup.sh <build-dir> <demo-dir> [--no-service]
# Once: a Firebird database of five branches (demo.fdb, embedded engine) and a Tarnwick.ini that points
# at it and at the notes service on 127.0.0.1, written in Windows-1252 as the program reads it. Every
# time (unless --no-service): starts the local notes service (target notes-service of <build-dir>) on
# 127.0.0.1:2020 with notes for those branches; it stays in the background, its pid in
# <demo-dir>/notes-service.pid (scripts/run-demo.sh stops it when the window closes). When our stand-in
# already listens there it is used as it is; when something else holds the port, the script says so and
# fails.
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ] || { [ $# -eq 3 ] && [ "$3" != "--no-service" ]; }; then
  echo "usage: $0 <build-dir> <demo-dir> [--no-service]" >&2
  exit 2
fi
BUILD=$(realpath -m "$1")
DEMO=$(realpath -m "$2")
PORTA=2020
USUARIO=SYSDBA
SENHA=masterkey

# The branches: code, name, state, CNPJ (14 characters with valid check digits; the last one has the
# alphanumeric form, capital letters in its first twelve).
FILIAIS=(
  "01|Matriz São Paulo|SP|11222333000181"
  "02|Filial São João|MG|45723174000110"
  "03|Açaí do Pará Ltda|PA|60701190000104"
  "04|Café Três Corações|RJ|33846125000196"
  "05|Filial Curitiba Nova|PR|12ABC34501DE35"
)

mkdir -p "$DEMO"
# The embedded engine keeps its lock files here when the caller may not use /tmp/firebird.
if [ "$(id -u)" -ne 0 ]; then
  export FIREBIRD_LOCK="$DEMO/.firebird-lock"
  mkdir -p "$FIREBIRD_LOCK"
fi

# The stored password: each character's code in three digits, last character first.
codifica_senha() {
  local texto=$1 saida="" i
  for ((i = ${#texto} - 1; i >= 0; i--)); do
    printf -v saida '%s%03d' "$saida" "'${texto:i:1}"
  done
  printf '%s' "$saida"
}

BANCO="$DEMO/demo.fdb"
if [ ! -f "$BANCO" ]; then
  SQL=$(mktemp)
  trap 'rm -f "$SQL"' EXIT
  {
    echo "SET SQL DIALECT 3;"
    echo "SET NAMES UTF8;"
    echo "CREATE DATABASE '$BANCO' USER '$USUARIO' PASSWORD '$SENHA' DEFAULT CHARACTER SET WIN1252;"
    echo "CREATE TABLE Filiais (CodEmpresa CHAR(2) NOT NULL PRIMARY KEY, NomeEmpresa VARCHAR(30),"
    echo "  Estado CHAR(2), CGC VARCHAR(18));"
    for f in "${FILIAIS[@]}"; do
      IFS='|' read -r cod nome uf cnpj <<<"$f"
      echo "INSERT INTO Filiais VALUES ('$cod', '$nome', '$uf', '$cnpj');"
    done
    echo "COMMIT;"
  } >"$SQL"
  isql-fb -q -i "$SQL"
  echo "demo database: $BANCO"
fi

# The program reads its configuration in the system's 8-bit code page, Windows-1252: a folder such as
# "Área de Trabalho" must be written in it, not in UTF-8. A file an earlier version of this script wrote
# in UTF-8 (valid UTF-8 with non-ASCII bytes) is written again.
INI="$DEMO/Tarnwick.ini"
if [ -f "$INI" ] && LC_ALL=C grep -q '[^ -~[:cntrl:]]' "$INI" && iconv -f UTF-8 -t UTF-8 "$INI" >/dev/null 2>&1
then
  echo "demo configuration: $INI was written in UTF-8; writing it again in Windows-1252"
  rm -f "$INI"
fi
if [ ! -f "$INI" ]; then
  if ! printf '[CONEXAO]\r\nCaminho=%s\r\nUsuario=%s\r\nSenha=%s\r\n[RECEPCAONF]\r\nHost=127.0.0.1\r\n' \
    "$BANCO" "$USUARIO" "$(codifica_senha "$SENHA")" | iconv -f UTF-8 -t WINDOWS-1252 >"$INI.tmp"; then
    rm -f "$INI.tmp"
    echo "the demo folder $DEMO has characters that Windows-1252 cannot hold; choose another folder" >&2
    exit 1
  fi
  mv "$INI.tmp" "$INI"
  echo "demo configuration: $INI"
fi

if [ "${3:-}" = "--no-service" ]; then
  exit 0
fi

porta_em_uso() { (exec 3<>"/dev/tcp/127.0.0.1/$PORTA") 2>/dev/null; }
# Our stand-in answers GET /_stats with {"requests": n}.
nosso_servico() {
  python3 - "$PORTA" <<'PY' 2>/dev/null
import json, sys, urllib.request
with urllib.request.urlopen("http://127.0.0.1:%s/_stats" % sys.argv[1], timeout=3) as r:
    sys.exit(0 if "requests" in json.load(r) else 1)
PY
}

if porta_em_uso; then
  if nosso_servico; then
    echo "notes service: the stand-in already listens on 127.0.0.1:$PORTA; using it"
    exit 0
  fi
  {
    echo "port $PORTA on 127.0.0.1 is held by another program, not the demo's notes service stand-in;"
    echo "the program always reaches the notes service on port $PORTA. Stop that program (see"
    echo "'ss -ltnp sport = :$PORTA') and run the demo again."
  } >&2
  exit 1
fi
if [ ! -x "$BUILD/tools/notes-service/notes-service" ]; then
  cmake --build "$BUILD" --target notes-service -j "$(nproc)" >/dev/null
fi
CNPJS=$(printf '%s\n' "${FILIAIS[@]}" | cut -d'|' -f4 | paste -sd,)
nohup "$BUILD/tools/notes-service/notes-service" --port "$PORTA" --quiet --cnpj "$CNPJS" --per-branch 25 \
  >"$DEMO/notes-service.log" 2>&1 &
echo $! >"$DEMO/notes-service.pid"
for _ in $(seq 50); do
  porta_em_uso && break
  sleep 0.1
done
if ! porta_em_uso; then
  echo "notes service did not start; see $DEMO/notes-service.log" >&2
  exit 1
fi
echo "notes service: 127.0.0.1:$PORTA (pid $(cat "$DEMO/notes-service.pid"), notes of 2024)"
