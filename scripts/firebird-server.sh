#!/usr/bin/env bash
# A private Firebird 3 server for tests: its own root folder, port, lock folder and security database,
# listening on 127.0.0.1 only. The system's own server (port 3050), if any, is neither used nor touched.
#
#   firebird-server.sh start <folder> <sysdba-password> [port]
#       Prepares <folder> (created when missing), starts the server in the background and prints the
#       port it listens on (a free one when none is given). Fails when it does not listen within 20 s.
#   firebird-server.sh stop <folder>
#       Stops the server started on <folder> and waits for it to end. Stopping a stopped server is fine.
set -euo pipefail

usage() {
  echo "usage: $0 start <folder> <sysdba-password> [port] | stop <folder>" >&2
  exit 2
}

# Folder of the installed Firebird 3 files (messages, character sets, plugins).
firebird_home() {
  local msg
  for msg in /usr/lib/*/firebird/3.0/firebird.msg /usr/lib/firebird/3.0/firebird.msg; do
    if [ -f "$msg" ]; then
      dirname "$msg"
      return 0
    fi
  done
  echo "Firebird 3 not installed (firebird.msg not found)" >&2
  return 1
}

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'
}

listening() { # port
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

start() {
  local dir=$1 password=$2 port=${3:-}
  local home server=/usr/sbin/firebird
  home=$(firebird_home)
  [ -x "$server" ] || { echo "$server missing (package firebird3.0-server)" >&2; exit 1; }
  [ -n "$port" ] || port=$(free_port)

  mkdir -p "$dir/lock" "$dir/tmp"
  dir=$(cd "$dir" && pwd)
  if [ -f "$dir/server.pid" ] && kill -0 "$(cat "$dir/server.pid")" 2>/dev/null; then
    echo "a server already runs on $dir" >&2
    exit 1
  fi
  # The installed files are copied, never linked: the folder belongs to the test, which removes it, and
  # a Windows program under Wine sees a link to a folder as the folder itself and would empty the
  # system's Firebird with it. (The engine does not load its character sets through a link either.)
  local f
  for f in plugins UDF lib firebird.msg plugins.conf; do
    [ -e "$home/$f" ] && [ ! -e "$dir/$f" ] && cp -rL "$home/$f" "$dir/$f"
  done
  mkdir -p "$dir/intl"
  cp -L "$home/intl/libfbintl.so" "$home/intl/fbintl.conf" "$dir/intl/"
  cat >"$dir/firebird.conf" <<EOF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $dir/security3.fdb
ServerMode = Super
UdfAccess = None
EOF
  printf 'security.db = %s/security3.fdb\n' "$dir" >"$dir/databases.conf"

  export FIREBIRD="$dir" FIREBIRD_LOCK="$dir/lock" FIREBIRD_TMP="$dir/tmp"
  if [ ! -f "$dir/security3.fdb" ]; then
    local sql="$dir/security.sql"
    printf "create database '%s/security3.fdb';\ncreate user SYSDBA password '%s';\ncommit;\n" \
      "$dir" "${password//\'/\'\'}" >"$sql"
    isql-fb -q -user SYSDBA -i "$sql" >"$dir/security.log" 2>&1 || {
      cat "$dir/security.log" >&2
      exit 1
    }
    rm -f "$sql"
  fi

  setsid "$server" >"$dir/server.out" 2>&1 </dev/null &
  echo $! >"$dir/server.pid"
  local i
  for i in $(seq 1 200); do
    if listening "$port"; then
      echo "$port"
      return 0
    fi
    if ! kill -0 "$(cat "$dir/server.pid")" 2>/dev/null; then
      break
    fi
    sleep 0.1
  done
  echo "the server did not start on port $port" >&2
  cat "$dir/server.out" "$dir/firebird.log" >&2 2>/dev/null || true
  stop "$dir"
  exit 1
}

stop() {
  local dir=$1 pid i
  [ -f "$dir/server.pid" ] || return 0
  pid=$(cat "$dir/server.pid")
  rm -f "$dir/server.pid"
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || return 0
    # A stopped child of ours that nobody reaped stays a zombie: it is gone all the same.
    [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = "Z" ] && return 0
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
}

[ $# -ge 2 ] || usage
case "$1" in
  start) [ $# -ge 3 ] || usage; start "$2" "$3" "${4:-}" ;;
  stop) stop "$2" ;;
  *) usage ;;
esac
