#!/usr/bin/env bash
# Installs the Debian packages Temura builds, runs and tests with.
# This is the only list of packages; it is safe to run again.
#   scripts/install-deps.sh            build, run and test on Linux
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  qt6-multimedia-dev
  libgl-dev
  libgtest-dev libgmock-dev
  xvfb xauth
  fonts-dejavu-core fonts-liberation
  desktop-file-utils shared-mime-info
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
