# Shared by the installation tests. The test's settings come in the environment
# (tests/install/CMakeLists.txt): BUILD, SOURCE, CC, LIBDIR, BINDIR, INCLUDEDIR,
# MANDIR, VERSION, PROGRAMS and the targets this build has (REGISTER, CLIENT).
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A scratch folder removed on exit; HOME and XDG_DATA_HOME point into it, so no
# tool run here touches the user's folders.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/fenwarx-install-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data"
mkdir -p "$HOME"

# pkg-config reads only the modules under test, and keeps their -I and -L even
# where they name /usr/include or the system's library folder.
export PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1

expect_file() {
  [ -f "$1" ] || fail "$1 is missing"
}

expect_program() {
  [ -f "$1" ] && [ -x "$1" ] || fail "$1 is missing or not executable"
}

# The programs of a bin folder, one line, sorted, against PROGRAMS.
expect_programs() {
  local found expected
  found=$(ls "$1" | sort | tr '\n' ' ')
  expected=$(printf '%s\n' $PROGRAMS | sort | tr '\n' ' ')
  [ "$found" = "$expected" ] || fail "$1 holds '$found', expected '$expected'"
}

# Compiles a C program with a pkg-config module's flags (as pkg-config is set up
# by the caller), strictly, and runs it with the library folder given; prints
# what it printed.
compile_and_run() {
  local module=$1 source=$2 library_dir=$3 program
  shift 3
  program="$scratch/$(basename "$source" .c)-$module"
  # shellcheck disable=SC2046
  "$CC" -std=c11 -Wall -Wextra -pedantic -Werror $(pkg-config --cflags "$module") \
    -o "$program" "$source" $(pkg-config --libs "$module") ||
    fail "$source does not build against pkg-config module $module"
  LD_LIBRARY_PATH="$library_dir" "$program" "$@" || fail "$program exited with $?"
}
