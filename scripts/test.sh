#!/usr/bin/env bash
# Installs what is missing, builds both builds from scratch and runs every test: the native
# suites under the sanitizers, then the Windows suites and the end-to-end test under Wine.
# Usage: scripts/test.sh [--keep]   (--keep reuses the existing build trees)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh" || exit 1
[ "${1:-}" = "--keep" ] || rm -rf "$root/build/native" "$root/build/windows"

passed=0
failed=0
# Runs ctest in a build tree and adds its counts to the totals.
run_ctest() {
  local dir="$1" out
  out="$(mktemp)"
  (cd "$dir" && ctest --output-on-failure --timeout 900) 2>&1 | tee "$out"
  local line total bad
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n 1)"
  rm -f "$out"
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  bad="$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/')"
  total="$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')"
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

echo "== native build"
if "$root/scripts/build.sh" native; then run_ctest "$root/build/native"; else failed=$((failed + 1)); fi

echo "== windows build"
# The i686 build is the product and is always built.  Its tests run under Wine where this
# machine executes 32-bit code; elsewhere the same code built for x86-64 runs them.
tree="$("$root/scripts/wine-tree.sh")"
built=1
"$root/scripts/build.sh" windows || built=0
if [ "$built" -eq 1 ] && [ "$tree" != windows ]; then
  echo "== $tree build (this machine cannot execute 32-bit code: the Windows tests run on the x86-64 build)"
  [ "${1:-}" = "--keep" ] || rm -rf "$root/build/$tree"
  "$root/scripts/build.sh" "$tree" || built=0
fi
if [ "$built" -eq 1 ]; then
  "$root/scripts/wine-prefix.sh" "$root/build/$tree"
  source "$root/scripts/xvfb.sh"
  source "$root/scripts/wine-env.sh" "$root/build/$tree"
  start_xvfb 90
  # One persistent wineserver for the whole run, its helpers started outside ctest's pipes.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine wineboot >/dev/null 2>&1 </dev/null || true
  run_ctest "$root/build/$tree"
  wineserver -k 2>/dev/null || true
  stop_xvfb
else
  failed=$((failed + 1))
fi

echo
echo "total: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
