#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, test, benchmark and run its demo.
# Idempotent: packages already present are left alone; apt-get update runs at most once.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git python3
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libcurl4-openssl-dev rapidjson-dev libarchive-dev zlib1g-dev libcpp-httplib-dev
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils firebird3.0-server
  unzip p7zip-full xvfb xauth fonts-dejavu-core fonts-dejavu-extra imagemagick locales
  clang libclang-rt-14-dev
  dpkg-dev lintian desktop-file-utils appstream xdotool xclip
  # The Windows x64 cross build (scripts/windows/deps.sh): MinGW-w64 with POSIX threads, its zlib,
  # Wine to run the Windows programs and tests, NSIS for the installer; ICU's headers for the
  # Firebird client.
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev wine wine64 fonts-wine libz-mingw-w64-dev nsis cmark-gfm libicu-dev
)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
update_needed=false

# scripts/windows/deps.sh builds the Windows dependencies from Debian's source packages, so apt needs
# a deb-src line for Debian's own archive (main of bookworm and bookworm-updates), and its lists.
source_lists() { # suite: the local list file of that suite's deb-src target, if one is configured
  apt-get indextargets --format '$(SITE) $(FILENAME)' 'Created-By: Sources' "Release: $1" \
    'Component: main' 2>/dev/null | awk '$1 ~ /\/debian$/ { print $2; exit }'
}
for suite in bookworm bookworm-updates; do
  list=$(source_lists "$suite")
  if [ -z "$list" ]; then
    $SUDO tee /etc/apt/sources.list.d/tarnwick-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    update_needed=true
    break
  fi
  compgen -G "$list*" >/dev/null || update_needed=true
done

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ] && ! $update_needed; then
  exit 0
fi

$SUDO apt-get update -q
[ ${#missing[@]} -eq 0 ] || $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
