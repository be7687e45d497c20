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
  dpkg-dev lintian desktop-file-utils appstream xdotool
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
