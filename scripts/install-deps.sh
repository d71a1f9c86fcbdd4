#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the run need.
# Idempotent: a machine that already has everything installs nothing and prints nothing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

packages=(cmake g++ make googletest g++-mingw-w64-i686 mingw-w64-i686-dev
          binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
          binutils-mingw-w64-x86-64 wine wine32:i386 wine64 wine64-preloader xvfb xauth
          fonts-wqy-zenhei fonts-wqy-microhei imagemagick zip xdotool
          clang libclang-rt-14-dev clang-format
          chromium)
# The board page's test drives Debian's chromium with Node; a Node from another source
# (with its own npm) is used as it is.
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

# The browser test's npm packages, exactly as the lock file pins them; again only when the
# installed ones are not those.
browser_packages() {
  local dir="$root/tests/browser"
  [ -f "$dir/package-lock.json" ] || return 0
  cmp -s "$dir/package-lock.json" "$dir/node_modules/.quillet-lock" && return 0
  echo "Installing the browser test's npm packages"
  (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error >/dev/null) &&
    cp "$dir/package-lock.json" "$dir/node_modules/.quillet-lock"
}

if [ ${#missing[@]} -eq 0 ]; then
  browser_packages
  exit 0
fi

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
browser_packages
