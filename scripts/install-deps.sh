#!/usr/bin/env bash
# Installs from Debian packages everything needed to build, run and test ZEL 4.
# Idempotent: apt-get update and install run only when a package is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-translations-l10n qt6-qpa-plugins
  libgl1-mesa-dev
  libsqlite3-dev sqlite3
  libssl-dev
  unixodbc unixodbc-dev tdsodbc odbcinst libsqliteodbc
  libjpeg62-turbo-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth imagemagick
  xdotool
  fonts-dejavu-core
  python3
  locales
  desktop-file-utils appstream qt6-wayland
  qt6-httpserver-dev qt6-websockets-dev poppler-utils
  libxlsxwriter-dev unzip
  clang libfuzzer-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The program speaks Russian where the platform does: generate the Russian locale once.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  if ! grep -qx 'ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi
