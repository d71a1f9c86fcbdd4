#!/usr/bin/env bash
# Builds and runs a benchmark: frame, soak and start under Wine on a private Xvfb, journal
# natively (its code is portable; it writes to a temporary folder on this machine's disk).
# start times Quillet.exe's start-up from outside, plain and resuming a journal; its program
# is built only here.
# Usage: scripts/bench.sh [frame|soak [operations]|journal|start [runs [changes]]]   (frame is the default)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
which="${1:-frame}"
shift || true
if [ "$which" = "journal" ]; then
  "$root/scripts/build.sh" native >/dev/null
  dir="$(mktemp -d)"
  trap 'rm -rf "$dir"' EXIT
  "$root/build/native/bench/journal_bench" "$dir"
  exit 0
fi
tree="$("$root/scripts/wine-tree.sh")"   # windows, or windows64 where 32-bit code cannot run
"$root/scripts/build.sh" "$tree" >/dev/null
if [ "$which" = "start" ]; then
  cmake --build "$root/build/$tree" --target start_bench >/dev/null
fi
source "$root/scripts/xvfb.sh"
start_xvfb 80
trap 'stop_xvfb' EXIT
"$root/scripts/wine-run.sh" "$root/build/$tree/bench/${which}_bench.exe" "$@"
