#!/usr/bin/env bash
# Runs a program of the Windows build under Wine, as ctest's emulator and by hand:
#   wine-run.sh <wine prefix> <dll folders, ':'-separated> <program.exe> [arguments...]
# The prefix is private to the build (made on first use, under a lock, since ctest runs tests side by
# side); Wine's own error chatter is off; the dependency folders are searched for DLLs (WINEPATH).
set -euo pipefail
export WINEPREFIX="$1" DLLS="$2"
shift 2
export WINEDEBUG="${WINEDEBUG:--all}"
# Qt writes its messages, and Qt Test its results, to the debugger's channel unless told to use the
# standard streams: a program run from a terminal or by ctest has its output where it is expected.
# Wine keeps the build machine's QT_* variables from Windows programs (Linux Qt settings would mislead
# them) and passes WINEQT_* as QT_*; so QT_QPA_PLATFORM=offscreen, set for the Linux runs, does not
# reach them: they use Qt's Windows platform on Wine's display (an X server: DISPLAY).
export WINEQT_FORCE_STDERR_LOGGING=1
# No Mono or Gecko installer dialogs: the programs need neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

janelas() { # a Unix folder as Wine sees it on drive Z:
  local p="Z:${1//\//\\}"
  printf '%s' "$p"
}

mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
flock -u 9
exec 9>&-

caminho=""
IFS=':' read -r -a pastas <<<"$DLLS"
for pasta in "${pastas[@]}"; do
  [ -n "$pasta" ] && caminho="${caminho:+$caminho;}$(janelas "$pasta")"
done
export WINEPATH="$caminho${WINEPATH:+;$WINEPATH}"
exec wine "$@"
