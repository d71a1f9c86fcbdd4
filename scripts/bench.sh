#!/usr/bin/env bash
# Builds the Windows build and runs the frame benchmark under Wine on a private Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" windows >/dev/null
source "$root/scripts/xvfb.sh"
start_xvfb 80
trap 'stop_xvfb' EXIT
"$root/scripts/wine-run.sh" "$root/build/windows/bench/frame_bench.exe"
