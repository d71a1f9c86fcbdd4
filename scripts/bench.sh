#!/usr/bin/env bash
# Builds and runs a benchmark: frame, soak and web under Wine on a private Xvfb, journal
# natively (its code is portable; it writes to a temporary folder on this machine's disk).
# Usage: scripts/bench.sh [frame|soak [operations]|web [changes]|journal]   (frame is the default)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
which="${1:-frame}"
shift || true
if [ "$which" = "journal" ]; then
  "$root/scripts/build.sh" native journal_bench >/dev/null
  dir="$(mktemp -d)"
  trap 'rm -rf "$dir"' EXIT
  "$root/build/native/bench/journal_bench" "$dir"
  exit 0
fi
tree="$("$root/scripts/wine-tree.sh")"   # windows, or windows64 where 32-bit code cannot run
"$root/scripts/build.sh" "$tree" Quillet "${which}_bench" >/dev/null   # the program makes data\ beside it
source "$root/scripts/xvfb.sh"
start_xvfb 80
trap 'stop_xvfb' EXIT
"$root/scripts/wine-run.sh" "$root/build/$tree/bench/${which}_bench.exe" "$@"
