#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz with clang and runs each for SECONDS
# (default 60). Seeds come from fuzz/corpus/<target>; what a run learns goes to
# build-fuzz/corpus/<target>, and a crashing input to build-fuzz/findings/.
# Exits non-zero when a target finds something.
# Usage: fuzz/run.sh [SECONDS] [TARGET ...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${FENWARX_FUZZ_BUILD:-$root/build-fuzz}"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(sheet_part_fuzzer xlsx_open_fuzzer return_check_fuzzer return_invariant_fuzzer)

CXX=clang++ CC=clang cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFENWARX_FUZZ=ON -DFENWARX_TESTS=OFF -DFENWARX_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2

# Every save fsyncs; on tmpfs that costs nothing, so the open/save target runs faster.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
status=0
for target in "${targets[@]}"; do
  name="${target%_fuzzer}"
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$corpus" "$findings"
  # A generated return draws a few hundred bytes at most; longer inputs only slow it.
  max_len=262144
  [ "$name" = return_invariant ] && max_len=4096
  args=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len="$max_len"
        -artifact_prefix="$findings/" -print_final_stats=1)
  [ -f "$here/$name.dict" ] && args+=(-dict="$here/$name.dict")
  echo "== $target for ${seconds}s"
  if ! "$build/fuzz/$target" "${args[@]}" "$corpus" "$here/corpus/$name" 2>"$build/$name.log"; then
    status=1
    echo "!! $target found a fault; input in $findings/, log in $build/$name.log"
    grep -E "^(==[0-9]+==ERROR|SUMMARY|    #[0-9]+ )" "$build/$name.log" | head -30 || true
  fi
  tail -n 4 "$build/$name.log"
done
exit $status
