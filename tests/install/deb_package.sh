#!/usr/bin/env bash
# cpack -G DEB from the build folder: a package whose dependencies dpkg-shlibdeps
# found, with its maintainer scripts, whose files unpack (dpkg -x, never
# installed here) under /usr and build and run a program through its .pc.
. "$(dirname "$0")/lib.sh"

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$scratch"/package/fenwarx_*.deb)
[ "${#debs[@]}" = 1 ] && [ -f "${debs[0]}" ] || fail "expected one fenwarx_*.deb, found: ${debs[*]}"
deb=${debs[0]}
[ "$(basename "$deb")" = "fenwarx_${VERSION}_$(dpkg --print-architecture).deb" ] ||
  fail "$(basename "$deb") is not the Debian file name of version $VERSION"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = fenwarx ] || fail "package name $(field Package)"
[ "$(field Version)" = "$VERSION" ] || fail "package version $(field Version)"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "no maintainer or description"
# Versioned, so dpkg-shlibdeps found them: the component's libraries and the
# utility's renderer.
depends=$(field Depends)
for package in libc6 libstdc++6 libsqlite3-0 libpugixml1v5 zlib1g libcairo2 libpangocairo-1.0-0; do
  [[ ", $depends," =~ ", $package (>= " ]] || fail "Depends lacks $package: $depends"
done

control="$scratch/control"
dpkg-deb --control "$deb" "$control"
for script in postinst prerm postrm; do
  [ -x "$control/$script" ] || fail "the package has no executable $script"
  sh -n "$control/$script" || fail "$script is not valid sh"
done
expect_file "$control/shlibs"

root="$scratch/root"
dpkg -x "$deb" "$root"
expect_programs "$root/usr/bin"
expect_file "$root/usr/$LIBDIR/libfenwarx.so.0"
expect_file "$root/usr/include/fenwarx/c_api.h"
expect_file "$root/usr/share/man/man1/fenwarx.1"
expect_file "$root/usr/$LIBDIR/cmake/fenwarx/fenwarxConfig.cmake"
# The Calc toolbar, where Calc finds bundled extensions, and the .oxt for a hand install.
expect_file "$root/usr/lib/libreoffice/share/extensions/fenwarx/description.xml"
expect_file "$root/usr/share/fenwarx/fenwarx.oxt"
[ "$(sed -n 's/^prefix=//p' "$root/usr/$LIBDIR/pkgconfig/fenwarx.pc")" = /usr ] ||
  fail "fenwarx.pc in the package does not say prefix=/usr"
! grep -rlF "$BUILD" "$root/usr/$LIBDIR/pkgconfig" "$root/usr/$LIBDIR/cmake" ||
  fail "files of the package name the build folder"

# The maintainer scripts name what the package holds.
library=$(sed -n "s/^library='\(.*\)'$/\1/p" "$control/postinst")
[ -e "$root$library" ] || fail "postinst registers $library, which the package does not hold"
register=$(sed -n "s/^register='\(.*\)'$/\1/p" "$control/postinst")
if [ "$REGISTER" = 1 ]; then
  expect_program "$root$register"
fi

export PKG_CONFIG_SYSROOT_DIR="$root" PKG_CONFIG_LIBDIR="$root/usr/$LIBDIR/pkgconfig"
[ "$(compile_and_run fenwarx "$SOURCE/tests/install/create_by_identifier.c" "$root/usr/$LIBDIR")" = 001250 ] ||
  fail "the program built against the unpacked package did not print 001250"
echo "package $(basename "$deb") in order"
