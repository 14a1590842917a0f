#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Selvara needs.
# Safe to run again: it asks apt only for what is missing.
set -euo pipefail

packages=(
  build-essential g++ cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  qt6-l10n-tools qt6-translations-l10n
  libsqlite3-dev sqlite3
  mdbtools-dev mdbtools
  libstemmer-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation
  xvfb xauth
  poppler-utils
  desktop-file-utils appstream-util
  dpkg-dev file lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "Missing packages: ${missing[*]}. Run this script as root, or install sudo first (as root: apt-get install sudo)." >&2
    exit 1
  fi
  # sudo drops the environment: the front end goes through it by name.
  SUDO=(sudo env DEBIAN_FRONTEND=noninteractive)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
