#!/bin/bash
# Installs the Debian packages the build needs, when they are missing.
#   install-deps.sh         what building and playing the game needs
#   install-deps.sh test    also GoogleTest, for make test
#   install-deps.sh fuzz    also clang's libFuzzer, for make fuzz
set -euo pipefail

# The compiler and build tools, the libraries the game links, the libraries
# the asset tools draw and encode with, and the font the text tool renders.
PACKAGES=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev
  libcurl4-openssl-dev
  libvorbis-dev libogg-dev
  libpng-dev libjpeg62-turbo-dev
  libcairo2-dev libfreetype-dev libturbojpeg0-dev
  fonts-quicksand
)
for extra in "$@"; do
  case "$extra" in
    test) PACKAGES+=(libgtest-dev) ;;
    fuzz) PACKAGES+=(clang libclang-rt-dev) ;;
    *) echo "install-deps.sh: unknown set '$extra' (test, fuzz)" >&2; exit 2 ;;
  esac
done

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
