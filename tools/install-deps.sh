#!/bin/bash
# Installs the Debian packages the build needs, when they are missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libgtest-dev libbenchmark-dev
  libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev
  libcurl4-openssl-dev
  libvorbis-dev libogg-dev
  libpng-dev libjpeg62-turbo-dev
  libcairo2-dev libfreetype-dev libturbojpeg0-dev
  fonts-quicksand
)
# `install-deps.sh fuzz`: also clang's libFuzzer, for make fuzz.
if [ "${1:-}" = fuzz ]; then
  PACKAGES+=(clang libclang-rt-dev)
fi

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update
"${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
