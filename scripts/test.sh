#!/usr/bin/env bash
# Installs what is missing, builds both builds from scratch and runs every test: the layout
# check, the native suites under the sanitizers, a short run of every fuzz target, then the
# Windows suites and the end-to-end tests under Wine twice, once with a Western code page
# (1252) and once with a Chinese one (936).  Ends with the number of test cases that passed
# and failed.
# Usage: scripts/test.sh [--keep]   (--keep reuses the existing build trees)
#
# The steps run side by side where they do not depend on each other, each with its output in
# a log of its own that is shown whole, in a fixed order, once the step is done:
#   - the layout check;
#   - the native build and its tests, then the fuzz tree's build;
#   - the build of the tree whose programs run under Wine, and meanwhile its Wine prefix;
#   - where that tree is the x86-64 one, the i686 product at a lower priority, filling the
#     time the other steps leave;
#   - once that tree is built: the two code page runs, each with its own Wine prefix (a copy)
#     and its own Xvfb, so they share no wineserver and no display; and, beside them, the
#     fuzzing (it waits for that tree, so only the low-priority product build, if any, competes
#     with it for a core);
#   - once the native build is done, the board page in headless chromium.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh" || exit 1
keep=0
[ "${1:-}" = "--keep" ] && keep=1

# The i686 build is the product and is always built.  Its tests run under Wine where this
# machine executes 32-bit code; elsewhere the same code built for x86-64 runs them.
tree="$("$root/scripts/wine-tree.sh")"
[ "$keep" -eq 1 ] || rm -rf "$root/build/native" "$root/build/windows" "$root/build/$tree"

work="$(mktemp -d)"
xvfbs=()
cleanup() {
  local job
  for job in $(jobs -p); do kill "$job" 2>/dev/null; done
  for _quillet_xvfb_pid in "${xvfbs[@]}"; do stop_xvfb; done
  rm -rf "$work"
}
trap cleanup EXIT
source "$root/scripts/xvfb.sh"

# Test cases passed and failed, one line a step ("PASSED FAILED"), added up at the end.
count() { echo "$1 $2" >>"$work/counts"; }
touch "$work/counts"

# "TESTS FAILURES DISABLED" of a GoogleTest-style XML report (0 for what it lacks).
report_figures() {
  local line figure out=()
  line="$(grep -m1 '<testsuites ' "$1")"
  for figure in tests failures disabled; do
    out+=("$(echo "$line" | sed -nE "s/.* $figure=\"([0-9]+)\".*/\1/p")")
  done
  echo "${out[0]:-0} ${out[1]:-0} ${out[2]:-0}"
}

# Runs ctest in a build tree.  Every test program writes a GoogleTest report; the test cases
# they ran are added to the totals.  A program that ended without a report (a crash, a
# time-out) counts as one failed case.
run_ctest() {
  local dir="$1" label="$2" out reports target line bad report tests fails disabled withFailures=0
  local passed=0 failed=0
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
    read -r tests fails disabled < <(report_figures "$report")
    passed=$((passed + tests - fails - disabled))
    failed=$((failed + fails))
    [ "$fails" -gt 0 ] && withFailures=$((withFailures + 1))
  done
  [ "$bad" -gt "$withFailures" ] && failed=$((failed + bad - withFailures))
  count "$passed" "$failed"
}

# start NAME COMMAND...: runs a step in the background, its output in its log, its exit status
# in NAME.status.
steps=()
declare -A pids
start() {
  local name="$1"
  shift
  steps+=("$name")
  {
    local began=$SECONDS status
    "$@" >"$work/$name.log" 2>&1 </dev/null
    status=$?
    echo "-- $name: $((SECONDS - began)) s, from $began s to $SECONDS s" >>"$work/$name.log"
    echo "$status" >"$work/$name.status"
  } &
  pids[$name]=$!
}
# Shows the logs of the finished steps, in the order they were started, up to the first step
# still running.
shown=0
show() {
  while [ "$shown" -lt "${#steps[@]}" ] && [ -e "$work/${steps[$shown]}.status" ]; do
    cat "$work/${steps[$shown]}.log"
    shown=$((shown + 1))
  done
}
# finish NAME: waits for the step, shows what can be shown, and succeeds if the step did.
finish() {
  wait "${pids[$1]}" 2>/dev/null
  show
  [ "$(cat "$work/$1.status" 2>/dev/null)" = 0 ]
}

layout() {
  echo "== layout (clang-format)"
  if ! git ls-files -z -- '*.cpp' '*.h' ':!third_party' | xargs -0 clang-format --dry-run --Werror; then
    echo "layout differs from .clang-format: run clang-format -i on the files above"
    count 0 1
  fi
}

native() {
  echo "== native build"
  if "$root/scripts/build.sh" native; then run_ctest "$root/build/native" native; else count 0 1; fi
  # The fuzz targets are built now and run later (a failed build fails the run again there).
  "$root/scripts/fuzz.sh" --build >/dev/null 2>&1 || true
}

# The board page in Debian's headless chromium, against the native build's test server.  The
# test writes a report like GoogleTest's; a run that ended without one, or failed without
# saying which case, counts as one failed case.
browser() {
  echo "== board page in chromium"
  local report="$root/build/browser/report.xml" status tests fails disabled
  rm -f "$report"
  timeout 300 node "$root/tests/browser/board_test.mjs" --server "$root/build/native/tests/board_page_server" \
    --report "$report"
  status=$?
  if [ ! -e "$report" ]; then
    count 0 1
    return
  fi
  read -r tests fails disabled < <(report_figures "$report")
  [ "$status" -ne 0 ] && [ "$fails" -eq 0 ] && fails=1
  count $((tests - fails - disabled)) "$fails"
}

fuzz() {
  echo "== fuzz targets (short run)"
  "$root/scripts/fuzz.sh" 20 || count 0 1
}

product() {
  echo "== windows build (the product; this machine cannot execute 32-bit code: the Windows tests run on the x86-64 build)"
  nice -n 5 "$root/scripts/build.sh" windows Quillet || count 0 1
}

tree_build() {
  echo "== $tree build"
  "$root/scripts/build.sh" "$tree" || { count 0 1; return 1; }
}

prefix() { "$root/scripts/wine-prefix.sh" "$root/build/$tree"; }

# wine_run LANG CODE_PAGE PREFIX DISPLAY: the Windows suites under Wine.  Wine takes its code
# page from LANG: 1252 for C.UTF-8, 936 for zh_CN.UTF-8.  The tests are told which one to
# expect, so a run that silently got the other one fails.
wine_run() {
  export QUILLET_WINE_LANG="$1" QUILLET_CODE_PAGE="$2" QUILLET_WINEPREFIX="$3" DISPLAY="$4"
  source "$root/scripts/wine-env.sh" "$root/build/$tree"
  echo "== $tree tests under Wine, code page $QUILLET_CODE_PAGE (LANG=$QUILLET_WINE_LANG)"
  # One persistent wineserver per run, its helpers started outside ctest's pipes.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine wineboot >/dev/null 2>&1 </dev/null || true
  run_ctest "$root/build/$tree" "wine-$QUILLET_CODE_PAGE" wine
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

start layout layout
start native native
[ "$tree" != windows ] && start product product
"$root/scripts/build.sh" "$tree" --configure >/dev/null 2>&1 &&
  start prefix prefix   # after the configure: the tree's cache tells a 64-bit prefix from a 32-bit one
start tree tree_build

if finish tree; then
  first="$root/build/$tree/wineprefix"
  second="$root/build/$tree/wineprefix-936"
  if [ -n "${pids[prefix]:-}" ] && finish prefix && rm -rf "$second" && cp -a "$first" "$second"; then
    start_xvfb 90 && xvfbs+=("$_quillet_xvfb_pid") && display1="$DISPLAY"
    start_xvfb 90 && xvfbs+=("$_quillet_xvfb_pid") && display2="$DISPLAY"
    start wine-1252 wine_run C.UTF-8 1252 "$first" "${display1:-}"
    start wine-936 wine_run zh_CN.UTF-8 936 "$second" "${display2:-}"
  else
    echo "== no Wine prefix for $tree"
    count 0 1
  fi
fi
# The fuzzing starts once the test programs are built (see above).
finish native
start fuzz fuzz
start browser browser
for name in "${steps[@]}"; do finish "$name"; done

passed=0
failed=0
while read -r p f; do
  passed=$((passed + p))
  failed=$((failed + f))
done <"$work/counts"
echo
echo "total: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
