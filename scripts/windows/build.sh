#!/usr/bin/env bash
# Builds the Windows x64 version of Tarnwick on this Debian machine:
#   1. the dependencies, cross-built once from Debian's source packages into a cache outside the
#      clone (scripts/windows/deps.sh; reused while their versions match);
#   2. a native build of this tree (build/): the stand-in of the notes service the Windows tests use,
#      and the renderer of the program's icon;
#   3. the cross build (build-windows/): Tarnwick.exe, the test programs and the benchmarks;
#   4. build-windows/dist/Tarnwick-<version>-win64/ and its zip, what is copied to a Windows PC.
#   5. build-windows/dist/Tarnwick-<version>-setup.exe, the installer (NSIS).
# With --test it then runs the Windows tests under Wine (ctest, a private Wine prefix), and then, from the
# native build, the end-to-end tests: the dist folder (tst_packaging_windows), the program copied as a
# user gets it and driven under Wine through a download; the installer (tst_packaging_instalador),
# installed, used, installed again and uninstalled under Wine.
# --host <name> builds the program (and so the installer) for the notes service at that host: the one
# Tarnwick.ini's [RECEPCAONF] Host overrides. Without it the build keeps the host it was last configured
# with (localhost at first). The script says which host it built for.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
JOBS=$(nproc)
TESTAR=0
HOST_SERVICO=()
while [ $# -gt 0 ]; do
  case $1 in
    --test) TESTAR=1 ;;
    --host)
      [ -n "${2:-}" ] || { echo "build.sh: --host needs the notes service's host name" >&2; exit 2; }
      HOST_SERVICO=(-DTARNWICK_NOTES_HOST_DEFAULT="$2"); shift ;;
    *) echo "usage: build.sh [--test] [--host <notes service host>]" >&2; exit 2 ;;
  esac
  shift
done

"$ROOT/scripts/windows/deps.sh" all
PREFIXOS=$("$ROOT/scripts/windows/deps.sh" --print-prefixes)

HOST="${TARNWICK_HOST_BUILD:-$ROOT/build}"
[ -f "$HOST/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$HOST" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$HOST" -j "$JOBS" --target notes-service icon-render

SAIDA="${TARNWICK_WINDOWS_BUILD:-$ROOT/build-windows}"
cmake -S "$ROOT" -B "$SAIDA" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$PREFIXOS" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DTARNWICK_HOST_BUILD="$HOST" "${HOST_SERVICO[@]}" >/dev/null
cmake --build "$SAIDA" -j "$JOBS"
NOTAS=$(sed -n 's/^TARNWICK_NOTES_HOST_DEFAULT:STRING=//p' "$SAIDA/CMakeCache.txt")
echo "Built for the notes service at host: ${NOTAS} (port 2020; change with --host <name>;"
echo "  a user's Tarnwick.ini overrides it with [RECEPCAONF] Host=<name>)"

if [ "$TESTAR" = 1 ]; then
  # The tests share one private Wine prefix, made here once rather than by the first tests at the same
  # time. Widget tests draw on Wine's display: a private X server for the run.
  "$ROOT/scripts/windows/wine-run.sh" "$SAIDA/wineprefix" "" cmd /c exit 0
  # Wine's desktop process, started here without a display, would outlive this step and keep the tests'
  # windows from the X server: the prefix's processes end before the tests start.
  WINEPREFIX="$SAIDA/wineprefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$SAIDA/wineprefix" wineserver -w 2>/dev/null || true
  FALHOU=0
  # Wine's desktop comes up on the display with a first program, before the tests (the first test
  # otherwise waited on it until its time-out).
  (cd "$SAIDA" && xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
    '"$1" "$2" "" cmd /c exit 0 && ctest --output-on-failure -j "$3"' \
    _ "$ROOT/scripts/windows/wine-run.sh" "$SAIDA/wineprefix" "$JOBS") || FALHOU=1
  WINEPREFIX="$SAIDA/wineprefix" wineserver -k 2>/dev/null || true

  # The whole program under Wine, driven through its window by a test of the native build. That build
  # knows the dist folder only for this run: its own test command (scripts/test.sh) stays the Linux one.
  DIST=$(find "$SAIDA/dist" -mindepth 1 -maxdepth 1 -type d -name 'Tarnwick-*-win64' | head -n 1)
  FBCLIENT="$(tr ';' '\n' <<<"$PREFIXOS" | grep '/fbclient-' | head -n 1)/bin/fbclient.dll"
  esquece_dist() {
    cmake -S "$ROOT" -B "$HOST" -DTARNWICK_WINDOWS_DIST= -DTARNWICK_WINDOWS_FBCLIENT= \
      -DTARNWICK_WINDOWS_INSTALADOR= >/dev/null
  }
  trap esquece_dist EXIT
  INSTALADOR=$(find "$SAIDA/dist" -mindepth 1 -maxdepth 1 -type f -name 'Tarnwick-*-setup.exe' | head -n 1)
  cmake -S "$ROOT" -B "$HOST" -DTARNWICK_WINDOWS_DIST="${DIST:-$SAIDA/dist/missing}" \
    -DTARNWICK_WINDOWS_FBCLIENT="$FBCLIENT" \
    -DTARNWICK_WINDOWS_INSTALADOR="${INSTALADOR:-$SAIDA/dist/missing-setup.exe}" >/dev/null
  cmake --build "$HOST" -j "$JOBS" --target tst_packaging_windows tst_packaging_instalador
  (cd "$HOST" && ctest --output-on-failure -R '^tst_packaging_(windows|instalador)$') || FALHOU=1
  exit "$FALHOU"
fi
