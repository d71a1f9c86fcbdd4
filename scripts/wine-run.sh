#!/usr/bin/env bash
# Runs one Windows program under the build tree's Wine prefix (used by ctest as the emulator).
# The build tree is found from the program's path: the nearest parent holding CMakeCache.txt.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
dir="$(cd "$(dirname "$1")" && pwd)"
while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir="$(dirname "$dir")"; done
source "$here/wine-env.sh" "$dir"
"$here/wine-prefix.sh" "$dir" || exit 1
wine "$@"
rc=$?
exit $rc
