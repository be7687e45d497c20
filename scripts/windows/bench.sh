#!/usr/bin/env bash
# Runs a benchmark of the Windows build under Wine, against the Linux stand-in of the notes service:
#   scripts/windows/bench.sh bench_run [arguments...]
#   scripts/windows/bench.sh bench_model_parse
# Build first with scripts/windows/build.sh (Release).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
SAIDA="${TARNWICK_WINDOWS_BUILD:-$ROOT/build-windows}"
[ $# -ge 1 ] || { sed -n 2,5p "$0" >&2; exit 2; }
PROGRAMA="$SAIDA/bench/$1.exe"
shift
[ -f "$PROGRAMA" ] || { echo "no $PROGRAMA: run scripts/windows/build.sh first" >&2; exit 1; }
# The DLLs: the dependencies' bin/ folders and the MinGW runtime's.
DLLS=$("$ROOT/scripts/windows/deps.sh" --print-prefixes | tr ';' '\n' | sed 's|$|/bin|' | paste -sd:)
for dll in libstdc++-6.dll libwinpthread-1.dll; do
  DLLS="$DLLS:$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")"
done
exec "$ROOT/scripts/windows/wine-run.sh" "$SAIDA/wineprefix" "$DLLS" "$PROGRAMA" "$@"
