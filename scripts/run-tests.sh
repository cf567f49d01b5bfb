#!/usr/bin/env bash
# The test command: installs what is needed, builds from scratch, runs every test
# (unit, codec, real readers, command line) and a short fuzzing session.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${FENWARX_BUILD_DIR:-build}
rm -rf "$build"
# Configured as the Debian package is, so its test checks what a user installs.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

fuzz/run.sh "${FENWARX_FUZZ_SECONDS:-30}"
