#!/usr/bin/env bash
# Builds the Windows build and makes the zip a Windows user unpacks and runs:
# Quillet-<version>-win32/ with Quillet.exe, data\ (the demo roster and pictures) and the
# operator's guide.  The zip ends up in build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" windows >/dev/null
cd "$root/build/windows"
cpack -G ZIP -B "$root/build" >/dev/null
ls "$root"/build/Quillet-*-win32.zip
