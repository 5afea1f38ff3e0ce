#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and is missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl1-mesa-dev
  libsqlite3-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-openpyxl xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
