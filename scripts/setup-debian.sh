#!/usr/bin/env bash
# Installs every Debian package the project needs. Fast and silent when all
# are there; runs apt-get update once before installing what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev libjpeg-dev zlib1g-dev
  libcurl4-openssl-dev libcpp-httplib-dev curl
  qt6-base-dev qt6-qpa-plugins
  clang-14 libclang-rt-14-dev libstb-dev
  xvfb xauth xdotool xclip x11-apps imagemagick libxcb1-dev
  fonts-wqy-microhei
  time
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
