#!/usr/bin/env bash
# Installs the Debian packages the station needs to build, run and test, when missing.
# Runs as root, or through sudo.
set -euo pipefail
packages=(
  build-essential cmake pkg-config git python3
  qt6-base-dev libqt6sql6-mysql
  mariadb-server mariadb-client
  portaudio19-dev libsndfile1-dev libasound2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
