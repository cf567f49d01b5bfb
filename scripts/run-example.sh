#!/usr/bin/env bash
# The main job on the bundled example: installs what is needed, builds, and
# verifies the example return workbook. The marked copy goes to a scratch folder,
# so the bundled file never changes.
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
"$build"/fenwarx verify --today 2026-12-07 -o "$copy" "$example" "${@:2}" || status=$?
echo "Checked copy with the marks: $copy"
exit "$status"
