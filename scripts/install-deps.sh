#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Idempotent: asks apt only for what is missing, so a second run is quick.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-multimedia-dev
  libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev libserialport-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth
  srecord
  fonts-dejavu-core
  dpkg-dev desktop-file-utils help2man lintian
  shared-mime-info xdg-utils libglib2.0-bin
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
