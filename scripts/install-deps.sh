#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the run need.
# Idempotent: a machine that already has everything installs nothing and prints nothing.
set -euo pipefail

packages=(cmake g++ make googletest g++-mingw-w64-i686 mingw-w64-i686-dev
          binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
          binutils-mingw-w64-x86-64 wine wine32:i386 wine64 wine64-preloader xvfb xauth
          fonts-wqy-zenhei fonts-wqy-microhei imagemagick zip xdotool
          clang libclang-rt-14-dev clang-format)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
