#!/usr/bin/env bash
# Builds the Windows build and runs a benchmark under Wine on a private Xvfb.
# Usage: scripts/bench.sh [frame|soak [operations]]   (frame is the default)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="$("$root/scripts/wine-tree.sh")"   # windows, or windows64 where 32-bit code cannot run
"$root/scripts/build.sh" "$tree" >/dev/null
source "$root/scripts/xvfb.sh"
start_xvfb 80
trap 'stop_xvfb' EXIT
which="${1:-frame}"
shift || true
"$root/scripts/wine-run.sh" "$root/build/$tree/bench/${which}_bench.exe" "$@"
