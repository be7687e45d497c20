#!/usr/bin/env bash
# Lays out the Windows program as it is copied to a PC, and zips it:
#   dist.sh <Tarnwick.exe> <dist folder> <Qt prefix> <dll folders, ':'-separated> <Firebird client prefix>
# The folder gets the program, every DLL it needs (found by following the import tables from the
# dependency folders; what none of them holds is left to Windows), Qt's Windows platform and style
# plugins, the Brazilian catalogue of Qt's own texts and a qt.conf that points Qt at them. The Firebird
# client goes into a folder of its own, "firebird" (fbclient.dll, its firebird.msg and its licences):
# the program loads it only when the customer's own client cannot be used, and never by import.
# The Portuguese guide (docs/guia/guia-windows.md) goes in as guia/Guia do Tarnwick.html with its
# pictures, for a PC without any other tool than its browser.
set -euo pipefail
EXE=$1 DEST=$2 QT=$3 DLLS=$4 FIREBIRD=$5
OBJDUMP=x86_64-w64-mingw32-objdump
CATALOGO=/usr/share/qt6/translations/qtbase_pt_BR.qm

rm -rf "$DEST" && mkdir -p "$DEST/platforms" "$DEST/styles" "$DEST/translations"
cp "$EXE" "$DEST/Tarnwick.exe"
cp "$QT/plugins/platforms/qwindows.dll" "$DEST/platforms/"
cp "$QT/plugins/styles/qwindowsvistastyle.dll" "$DEST/styles/"
# Qt's catalogues are the same for every system of one release: Debian's qt6-translations-l10n.
cp "$CATALOGO" "$DEST/translations/"
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' >"$DEST/qt.conf"
mkdir -p "$DEST/firebird"
cp "$FIREBIRD/bin/fbclient.dll" "$FIREBIRD/bin/firebird.msg" "$FIREBIRD"/licencas/* "$DEST/firebird/"

IFS=':' read -r -a PASTAS <<<"$DLLS"
acha() { # the dependency folder's copy of DLL $1 (names compare without case), or nothing
  local p f
  for p in "${PASTAS[@]}"; do
    f=$(find "$p" -maxdepth 1 -iname "$1" -print -quit 2>/dev/null)
    [ -n "$f" ] && { printf '%s\n' "$f"; return 0; }
  done
  return 0
}
pendentes=("$DEST/Tarnwick.exe" "$DEST/platforms/qwindows.dll" "$DEST/styles/qwindowsvistastyle.dll")
while [ ${#pendentes[@]} -gt 0 ]; do
  arquivo=${pendentes[0]}; pendentes=("${pendentes[@]:1}")
  while read -r nome; do
    [ -e "$DEST/$nome" ] && continue
    [ "${nome,,}" = fbclient.dll ] && continue
    origem=$(acha "$nome")
    [ -n "$origem" ] || continue
    cp "$origem" "$DEST/$nome"
    pendentes+=("$DEST/$nome")
  done < <("$OBJDUMP" -p "$arquivo" | sed -n 's/^\s*DLL Name: //p')
done
"$(dirname "$0")/guia.sh" "$DEST/guia"
# What ships is stripped of its debugging sections.
find "$DEST" -iname '*.dll' -o -iname '*.exe' | xargs x86_64-w64-mingw32-strip --strip-unneeded
(cd "$(dirname "$DEST")" && rm -f "$(basename "$DEST").zip" && cmake -E tar cf "$(basename "$DEST").zip" --format=zip "$(basename "$DEST")")
