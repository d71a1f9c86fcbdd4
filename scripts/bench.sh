#!/usr/bin/env bash
# Builds the Windows build and runs a benchmark under Wine on a private Xvfb.
# Usage: scripts/bench.sh [frame|soak [operations]]   (frame is the default)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" windows >/dev/null
source "$root/scripts/xvfb.sh"
start_xvfb 80
trap 'stop_xvfb' EXIT
which="${1:-frame}"
shift || true
"$root/scripts/wine-run.sh" "$root/build/windows/bench/${which}_bench.exe" "$@"
