#!/usr/bin/env bash
# Cross-builds the Windows x64 dependencies from Debian's own source packages into a cache folder
# outside the clone, one prefix per component named by its version and recipe revision, so a
# prefix is reused for as long as both match. Prints nothing but progress; each step's output goes to
# a log in the cache's build/ folder, whose tail is shown when the step fails.
#
#   deps.sh [all]             builds every component the cache lacks
#   deps.sh <name>            builds one: qt, rapidjson, curl, libarchive or fbclient
#   deps.sh --check           exits 0 only when every prefix is complete
#   deps.sh --print-cache     prints the cache's folder
#   deps.sh --print-prefixes  prints the prefixes as a CMAKE_PREFIX_PATH (separated by ';')
#
#   Qt 6.4.2 qtbase (Core, Gui, Widgets, Test), libcurl 7.88.1 (Schannel), libarchive 3.6.2 (zlib),
#   RapidJSON 1.1.0's headers and the Firebird 3.0.11 client fbclient.dll (the tests', and the one the
#   program ships for PCs without a usable client of their own).
# zlib comes from Debian's libz-mingw-w64-dev.
set -euo pipefail

HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
CACHE="${TARNWICK_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick-windows}"
TOOLCHAIN="$ROOT/cmake/toolchain-mingw64.cmake"
JOBS=$(nproc)
TRIPLE=x86_64-w64-mingw32

# Upstream versions, and the revision of our own recipe for each: bump a revision when its recipe
# changes so the cache builds that component again.
QT_VERSION=6.4.2;        QT_RECIPE=1
CURL_VERSION=7.88.1;     CURL_RECIPE=1
ARCHIVE_VERSION=3.6.2;   ARCHIVE_RECIPE=1
FIREBIRD_VERSION=3.0.11; FIREBIRD_RECIPE=2; TOMMATH_VERSION=1.2.0 # libtommath, inside fbclient.dll
RAPIDJSON_VERSION=1.1.0; RAPIDJSON_RECIPE=1

QT_PREFIX="$CACHE/qtbase-$QT_VERSION-r$QT_RECIPE"
CURL_PREFIX="$CACHE/curl-$CURL_VERSION-r$CURL_RECIPE"
ARCHIVE_PREFIX="$CACHE/libarchive-$ARCHIVE_VERSION-r$ARCHIVE_RECIPE"
FIREBIRD_PREFIX="$CACHE/fbclient-$FIREBIRD_VERSION-r$FIREBIRD_RECIPE"
RAPIDJSON_PREFIX="$CACHE/rapidjson-$RAPIDJSON_VERSION-r$RAPIDJSON_RECIPE"

log() { printf '[deps %(%H:%M:%S)T] %s\n' -1 "$*"; }

# Unpacks Debian's source package <pkg> (patches applied) into $CACHE/src and prints its folder.
# The upstream version must be <version>: a newer Debian upload of another upstream release stops here.
fonte() {
  local pkg=$1 version=$2 dir="$CACHE/src/$1"
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get source -q "$pkg" >apt-source.log 2>&1) || {
      cat "$dir/apt-source.log" >&2
      echo "apt-get source $pkg failed: is a deb-src line configured (scripts/setup.sh adds it)?" >&2
      exit 1
    }
    touch "$dir/.unpacked"
  fi
  local tree
  tree=$(find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n1)
  case "$(basename "$tree")" in
    *"$version"*) ;;
    *) echo "$pkg: expected upstream $version, Debian gives $(basename "$tree")" >&2; exit 1 ;;
  esac
  printf '%s\n' "$tree"
}

pronto() { [ -f "$1/.done" ]; }

# Runs one step of a recipe with its output in $CACHE/build/<name>-<step>.log; on failure shows the
# log's tail and stops.
passo() {
  local log="$CACHE/build/$1-$2.log"
  shift 2
  "$@" >"$log" 2>&1 || {
    tail -40 "$log" >&2
    echo "failed: $* (log: $log)" >&2
    exit 1
  }
}

# Marks a prefix as complete and says how long its recipe took (started at <seconds>).
feito() {
  touch "$1/.done"
  log "$2 done in $(($SECONDS - $3)) s"
}

# Each recipe defines build_<name>, which builds into its prefix unless already done.
for receita in "$HERE"/receitas/*.sh; do
  # shellcheck source=/dev/null
  . "$receita"
done

# Every prefix the program's cross build uses, the Firebird client's included: its include/ holds the
# Windows headers of the client interface, and its bin/ the fbclient.dll the tests load.
PREFIXES=("$QT_PREFIX" "$CURL_PREFIX" "$ARCHIVE_PREFIX" "$RAPIDJSON_PREFIX" "$FIREBIRD_PREFIX")

main() {
  case "${1:-all}" in
    --print-cache) printf '%s\n' "$CACHE"; return ;;
    --print-prefixes) (IFS=';'; printf '%s\n' "${PREFIXES[*]}"); return ;;
    --check)
      local p
      for p in "${PREFIXES[@]}"; do pronto "$p" || return 1; done
      return ;;
  esac
  mkdir -p "$CACHE/src" "$CACHE/build"
  case "${1:-all}" in
    all) build_qt; build_rapidjson; build_curl; build_libarchive; build_fbclient ;;
    *)
      declare -F "build_$1" >/dev/null || { echo "deps.sh: no recipe named $1" >&2; exit 2; }
      "build_$1" ;;
  esac
}
main "$@"
