#!/usr/bin/env bash
# Renders the Portuguese guide for Windows users (docs/guia/guia-windows.md, GitHub's Markdown) into one
# HTML page, "Guia do Tarnwick.html", in the folder given, beside the pictures it shows:
#   guia.sh <folder>
# cmark-gfm (scripts/setup.sh) renders it; the headings get GitHub's anchors, so that the guide's
# links to its own sections work in the page as on GitHub.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
FONTE="$ROOT/docs/guia/guia-windows.md"
DEST=$1
mkdir -p "$DEST"
# The pictures the guide names, found beside it or in docs/, all beside the page.
grep -o '](\(\.\./\)\?[^)]*\.png)' "$FONTE" | sed 's/^](//; s/)$//' | while read -r imagem; do
  cp "$ROOT/docs/guia/$imagem" "$DEST/$(basename "$imagem")"
done
{
  printf '<!DOCTYPE html>\n<html lang="pt-BR">\n<head>\n<meta charset="utf-8">\n'
  printf '<title>Guia do Tarnwick</title>\n<style>\n'
  printf 'body{font-family:"Segoe UI",Arial,sans-serif;max-width:52em;margin:2em auto;padding:0 1em;line-height:1.45;color:#222}\n'
  printf 'code,pre{font-family:Consolas,monospace;background:#f3f3f3}pre{padding:.6em;overflow-x:auto}\n'
  printf 'table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:.3em .6em;text-align:left}\n'
  printf 'img{max-width:100%%;border:1px solid #ccc}h1,h2,h3{color:#14375e}\n</style>\n</head>\n<body>\n'
  cmark-gfm --unsafe -e table "$FONTE" |
    sed 's|src="\.\./|src="|g' |
    perl -CSD -pe 's{<(h[1-6])>(.*?)</\1>}{my ($h,$t)=($1,$2); (my $id=lc $t)=~s/<[^>]*>//g; $id=~s/[^\w\- ]//g; $id=~s/ /-/g; "<$h id=\"$id\">$t</$h>"}ge'
  printf '</body>\n</html>\n'
} >"$DEST/Guia do Tarnwick.html"
