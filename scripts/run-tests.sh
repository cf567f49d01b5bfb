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

# The suite again under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# second folder. The installation tests and Calc's are left out: they load the
# instrumented library into programs built without the sanitizers' runtime (a
# program of their own, or soffice itself), which it cannot be loaded into.
asan=${FENWARX_ASAN_BUILD_DIR:-build-asan}
rm -rf "$asan"
cmake -S . -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENWARX_SANITIZE=ON -DFENWARX_BENCH=OFF
cmake --build "$asan" -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$asan" --output-on-failure -j"$(nproc)" -LE "install|calc"

fuzz/run.sh "${FENWARX_FUZZ_SECONDS:-30}" sheet_part_fuzzer xlsx_open_fuzzer return_check_fuzzer
# The whole-return target learns slowly: it runs a minute.
fuzz/run.sh "${FENWARX_INVARIANT_FUZZ_SECONDS:-60}" return_invariant_fuzzer
