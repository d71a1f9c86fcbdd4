#!/usr/bin/env bash
# Runs one Windows program under the build tree's Wine prefix (used by ctest as the emulator).
# The build tree is found from the program's path: the nearest parent holding CMakeCache.txt.
# Output goes through a file: Wine's helper processes (wineserver, explorer, services) inherit
# the program's output handles and outlive it, and a pipe they hold would never reach its end.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
dir="$(cd "$(dirname "$1")" && pwd)"
while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir="$(dirname "$dir")"; done
source "$here/wine-env.sh" "$dir"
"$here/wine-prefix.sh" "$dir" >&2 || exit 1
out="$(mktemp)"
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
