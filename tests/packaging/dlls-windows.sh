#!/usr/bin/env bash
# The Windows folder a user copies is whole: every DLL that any program or DLL in it imports is either
# in the folder itself or part of Windows. fbclient.dll is loaded at run time, by full path, the
# customer's own first: no file may import it. The one shipped lies in the folder "firebird" with its
# message file and licences, and nowhere else.
#   dlls-windows.sh <dist folder>
set -euo pipefail
DIST=$1
OBJDUMP=x86_64-w64-mingw32-objdump
# Windows' own DLLs (and the API sets they forward through).
SISTEMA=' advapi32.dll bcrypt.dll comctl32.dll comdlg32.dll crypt32.dll d3d11.dll d3d9.dll dwmapi.dll
  dwrite.dll dxgi.dll gdi32.dll imm32.dll iphlpapi.dll kernel32.dll mpr.dll msvcrt.dll netapi32.dll
  normaliz.dll ntdll.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll secur32.dll setupapi.dll shell32.dll
  shlwapi.dll user32.dll userenv.dll uxtheme.dll version.dll winmm.dll wldap32.dll ws2_32.dll
  wtsapi32.dll authz.dll shcore.dll '
SISTEMA=" $(echo $SISTEMA) " # one space between names, and around them, whatever the lines above

falhas=0
[ -f "$DIST/Tarnwick.exe" ] || { echo "no Tarnwick.exe in $DIST"; exit 1; }
[ -f "$DIST/platforms/qwindows.dll" ] || { echo "no platforms/qwindows.dll"; falhas=1; }
[ -f "$DIST/translations/qtbase_pt_BR.qm" ] || { echo "no translations/qtbase_pt_BR.qm"; falhas=1; }
ls "$DIST"/styles/*.dll >/dev/null 2>&1 || { echo "no style plugin"; falhas=1; }
while IFS= read -r -d '' arquivo; do
  while read -r nome; do
    minusculo=${nome,,}
    if [ "$minusculo" = fbclient.dll ]; then
      echo "$arquivo imports fbclient.dll"; falhas=1; continue
    fi
    [[ "$minusculo" == api-ms-win-* ]] && continue
    [[ "$SISTEMA" == *" $minusculo "* ]] && continue
    [ -n "$(find "$DIST" -maxdepth 1 -iname "$nome" -print -quit)" ] && continue
    echo "$arquivo imports $nome: neither shipped nor part of Windows"; falhas=1
  done < <("$OBJDUMP" -p "$arquivo" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$DIST" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
for arquivo in fbclient.dll firebird.msg IPLicense.txt IDPLicense.txt libtommath-LICENSE.txt; do
  [ -f "$DIST/firebird/$arquivo" ] || { echo "no firebird/$arquivo"; falhas=1; }
done
copias=$(find "$DIST" -iname fbclient.dll -o -iname gds32.dll | grep -vxF "$DIST/firebird/fbclient.dll" || true)
[ -z "$copias" ] || { echo "a Firebird client outside the folder firebird: $copias"; falhas=1; }
# The shipped client is the 64-bit one.
x86_64-w64-mingw32-objdump -f "$DIST/firebird/fbclient.dll" | grep -q 'pei-x86-64' ||
  { echo "firebird/fbclient.dll is not a 64-bit DLL"; falhas=1; }
exit $falhas
