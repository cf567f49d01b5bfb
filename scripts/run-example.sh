#!/usr/bin/env bash
# The main job on the bundled example: installs what is needed, builds, verifies
# the example return workbook and writes its return file, then checks that file.
# The workbook copy and the return file go to a scratch folder, so the bundled
# file never changes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${FENWARX_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target fenwarx_cli >/dev/null
example=${1:-examples/form26-return.xlsx}
scratch=$(mktemp -d /tmp/fenwarx-example-XXXXXX)
copy="$scratch/$(basename "$example")"
status=0
"$build"/fenwarx export --today 2026-12-07 --out-dir "$scratch" -o "$copy" "$example" "${@:2}" || status=$?
if [ "$status" -eq 0 ]; then
  for file in "$scratch"/eTDS*.txt; do
    "$build"/fenwarx check --workbook "$copy" "$file" || status=$?
  done
fi
echo "Workbook copy: $copy"
echo "Return file:   $(ls "$scratch"/eTDS*.txt 2>/dev/null || echo none)"
exit "$status"
