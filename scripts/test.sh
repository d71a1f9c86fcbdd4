#!/usr/bin/env bash
# Installs what is missing, builds both builds from scratch and runs every test: the layout
# check, the native suites under the sanitizers, a short run of every fuzz target, then the
# Windows suites and the end-to-end tests under Wine twice, once with a Western code page
# (1252) and once with a Chinese one (936).  Ends with the number of test cases that passed
# and failed.
# Usage: scripts/test.sh [--keep]   (--keep reuses the existing build trees)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh" || exit 1
[ "${1:-}" = "--keep" ] || rm -rf "$root/build/native" "$root/build/windows"

passed=0
failed=0

# Runs ctest in a build tree.  Every test program writes a GoogleTest report; the test cases
# they ran are added to the totals.  A program that ended without a report (a crash, a
# time-out) counts as one failed case.
run_ctest() {
  local dir="$1" label="$2" out reports target line bad report tests fails disabled withFailures=0
  reports="$dir/reports/$label"
  rm -rf "$reports"
  mkdir -p "$reports"
  target="$reports/"
  # A Windows program needs the folder as a Windows path, or it takes it as relative.
  [ "${3:-}" = wine ] && target="$(winepath -w "$reports" 2>/dev/null)\\"
  out="$(mktemp)"
  (cd "$dir" && GTEST_OUTPUT="xml:$target" ctest --output-on-failure --timeout 900) 2>&1 | tee "$out"
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n 1)"
  rm -f "$out"
  bad=1
  [ -n "$line" ] && bad="$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/')"
  for report in "$reports"/*.xml; do
    [ -e "$report" ] || continue
    line="$(grep -m1 '<testsuites ' "$report")"
    tests="$(echo "$line" | sed -nE 's/.* tests="([0-9]+)".*/\1/p')"
    fails="$(echo "$line" | sed -nE 's/.* failures="([0-9]+)".*/\1/p')"
    disabled="$(echo "$line" | sed -nE 's/.* disabled="([0-9]+)".*/\1/p')"
    passed=$((passed + ${tests:-0} - ${fails:-0} - ${disabled:-0}))
    failed=$((failed + ${fails:-0}))
    [ "${fails:-0}" -gt 0 ] && withFailures=$((withFailures + 1))
  done
  [ "$bad" -gt "$withFailures" ] && failed=$((failed + bad - withFailures))
}

echo "== layout (clang-format)"
if ! git ls-files -z -- '*.cpp' '*.h' ':!third_party' | xargs -0 clang-format --dry-run --Werror; then
  echo "layout differs from .clang-format: run clang-format -i on the files above"
  failed=$((failed + 1))
fi

echo "== native build"
if "$root/scripts/build.sh" native; then run_ctest "$root/build/native" native; else failed=$((failed + 1)); fi

echo "== fuzz targets (short run)"
"$root/scripts/fuzz.sh" 20 || failed=$((failed + 1))

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
  start_xvfb 90
  # Wine takes its code page from LANG: 1252 for C.UTF-8, 936 for zh_CN.UTF-8.  The tests
  # are told which one to expect, so a run that silently got the other one fails.
  for run in "C.UTF-8 1252" "zh_CN.UTF-8 936"; do
    export QUILLET_WINE_LANG="${run% *}" QUILLET_CODE_PAGE="${run#* }"
    source "$root/scripts/wine-env.sh" "$root/build/$tree"
    echo "== $tree tests under Wine, code page $QUILLET_CODE_PAGE (LANG=$QUILLET_WINE_LANG)"
    # One persistent wineserver per run, its helpers started outside ctest's pipes.
    wineserver -p >/dev/null 2>&1 </dev/null
    wine wineboot >/dev/null 2>&1 </dev/null || true
    run_ctest "$root/build/$tree" "wine-$QUILLET_CODE_PAGE" wine
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  done
  unset QUILLET_WINE_LANG QUILLET_CODE_PAGE
  stop_xvfb
else
  failed=$((failed + 1))
fi

echo
echo "total: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
