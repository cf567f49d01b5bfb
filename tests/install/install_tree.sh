#!/usr/bin/env bash
# cmake --install into a scratch prefix: the files in place, nothing more in
# bin, and the installed library usable through its pkg-config module and its
# CMake package by programs that know nothing of the source tree.
. "$(dirname "$0")/lib.sh"

prefix="$scratch/prefix"
cmake --install "$BUILD" --prefix "$prefix" >"$scratch/install.log" ||
  { cat "$scratch/install.log" >&2; fail "cmake --install failed"; }
lib="$prefix/$LIBDIR"

expect_programs "$prefix/$BINDIR"
expect_file "$lib/libfenwarx.so.0"
[ -L "$lib/libfenwarx.so" ] || fail "$lib/libfenwarx.so (the link to build against) is missing"
expect_file "$prefix/$INCLUDEDIR/fenwarx/c_api.h"
expect_file "$lib/pkgconfig/fenwarx.pc"
for file in fenwarxConfig fenwarxConfigVersion fenwarxTargets; do
  expect_file "$lib/cmake/fenwarx/$file.cmake"
done
for program in $PROGRAMS; do
  case $program in fenwarx | fenwarx-setup | fenwarx-register) expect_file "$prefix/$MANDIR/man1/$program.1" ;; esac
done
for folder in "$prefix"/*; do
  case $(basename "$folder") in bin | include | lib* | share) ;; *) fail "$folder installed" ;; esac
done

# The .pc names the prefix installed into, not the one configured.
export PKG_CONFIG_LIBDIR="$lib/pkgconfig"
[ "$(pkg-config --variable=prefix fenwarx)" = "$prefix" ] ||
  fail "fenwarx.pc: prefix $(pkg-config --variable=prefix fenwarx), installed into $prefix"
[ "$(pkg-config --modversion fenwarx)" = "$VERSION" ] || fail "fenwarx.pc: not version $VERSION"

program="$SOURCE/tests/install/create_by_identifier.c"
[ "$(compile_and_run fenwarx "$program" "$lib")" = 001250 ] ||
  fail "the program built with pkg-config did not print 001250"

# find_package(fenwarx) from a project outside the tree.
cmake -S "$SOURCE/tests/install/consumer" -B "$scratch/consumer" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_COMPILER="$CC" >"$scratch/consumer.log" 2>&1 &&
  cmake --build "$scratch/consumer" >>"$scratch/consumer.log" 2>&1 ||
  { cat "$scratch/consumer.log" >&2; fail "a project using find_package(fenwarx) does not build"; }
[ "$(LD_LIBRARY_PATH="$lib" "$scratch/consumer/create_by_identifier")" = 001250 ] ||
  fail "the program built with find_package(fenwarx) did not print 001250"

# The installed CLI finds the host's utility beside itself.
FENWARX_SYSTEM_DIR="$scratch/system" "$prefix/$BINDIR/fenwarx" host init "$scratch/host" \
  >/dev/null || fail "the installed fenwarx host init failed"
expect_program "$scratch/host/Plomberg.EXE"

# The client loader: the library registered by the installed tool, then each
# example built against fenwarx-client creates its classes by identifier.
if [ "$CLIENT" = 1 ]; then
  expect_file "$prefix/$INCLUDEDIR/fenwarx/client.h"
  expect_file "$lib/libfenwarx-client.so.0"
  expect_file "$lib/pkgconfig/fenwarx-client.pc"
  export FENWARX_SYSTEM_DIR="$scratch/system"
  "$prefix/$BINDIR/fenwarx-register" -s "$lib/libfenwarx.so.0" || fail "fenwarx-register failed"
  # Each example takes a return workbook: a copy of the bundled Form 26 example.
  cp "$SOURCE/examples/form26-return.xlsx" "$scratch/return.xlsx"
  for example in "$SOURCE"/examples/client/*.c; do
    [ -e "$example" ] || continue
    compile_and_run fenwarx-client "$example" "$lib" "$scratch/return.xlsx" >/dev/null
  done
fi
echo "installed tree in order"
