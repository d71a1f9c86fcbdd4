#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan and UBSan; native) and runs each: first
# over its kept regression inputs, then fuzzing for the given time from its seeds.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET [TARGET...]]   (default 60 s, every target)
#        scripts/fuzz.sh --build [TARGET...]   (builds the targets and runs nothing)
# An input that makes a target fail is written to build/fuzz/artifacts/; add it to
# tests/fuzz/regressions/TARGET/ once the fault is mended, so it is run every time.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_only=0
if [ "${1:-}" = --build ]; then
  build_only=1
  set -- 0 "${@:2}"
fi
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(roster settings text_codec journal route judge_body)
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_FUZZ=ON >/dev/null || exit 1
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target "${targets[@]/#/fuzz_}" >/dev/null || exit 1
[ "$build_only" -eq 1 ] && exit 0
mkdir -p "$build/artifacts"
status=0
for t in "${targets[@]}"; do
  exe="$build/tests/fuzz/fuzz_$t"
  regressions=("$root/tests/fuzz/regressions/$t"/*)
  if [ -e "${regressions[0]}" ]; then
    "$exe" -artifact_prefix="$build/artifacts/$t-" "${regressions[@]}" >"$build/$t-regressions.log" 2>&1 ||
      { echo "fuzz $t: a regression input fails (see $build/$t-regressions.log)"; status=1; continue; }
  fi
  work="$build/corpus/$t"
  mkdir -p "$work"
  if "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=0 \
       -artifact_prefix="$build/artifacts/$t-" "$work" "$root/tests/fuzz/seeds/$t" >"$build/$t.log" 2>&1; then
    echo "fuzz $t: ${seconds} s, $(grep -oE 'DONE +cov: [0-9]+' "$build/$t.log" | grep -oE '[0-9]+$' || echo '?') edges, no fault"
  else
    echo "fuzz $t: FAILED (see $build/$t.log; the input is in $build/artifacts/)"
    status=1
  fi
done
exit $status
