#!/usr/bin/env bash
# The main job on the bundled example: installs what is needed, builds, and shows
# the example return workbook as the component reads it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${FENWARX_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target fenwarx_cli >/dev/null
"$build"/fenwarx show "${1:-examples/form26-return.xlsx}" "${@:2}"
