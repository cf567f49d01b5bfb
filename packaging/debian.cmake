# The Debian package: `cpack -G DEB` (or plain `cpack`) in the build folder gives
# fenwarx_VERSION_ARCH.deb holding what packaging/install.cmake installs, under
# /usr, its dependencies found by dpkg-shlibdeps, and maintainer scripts that
# register the library in the system-wide registry.

set(FENWARX_PACKAGE_MAINTAINER
    "Fenwarx maintainers <maintainers@users.noreply.c-seed-6d00186b.example>"
    CACHE STRING "The Maintainer field of the Debian package")

set(FENWARX_DEB_PREFIX /usr)
if(NOT IS_ABSOLUTE "${FENWARX_SYSTEM_REGISTRY_DIR}" OR FENWARX_SYSTEM_REGISTRY_DIR MATCHES "'")
  message(FATAL_ERROR "FENWARX_SYSTEM_REGISTRY_DIR must be an absolute path without quotes: "
                      "${FENWARX_SYSTEM_REGISTRY_DIR}")
endif()
# The registry folder is built into the client loader (by default from the
# configured prefix), and the package registers where the loader reads.
if(NOT FENWARX_SYSTEM_REGISTRY_DIR STREQUAL "/var/lib/fenwarx")
  message(STATUS "fenwarx: a .deb built here registers in ${FENWARX_SYSTEM_REGISTRY_DIR}, where "
                 "this build's client loader reads; configure with -DCMAKE_INSTALL_PREFIX=/usr "
                 "for /var/lib/fenwarx")
endif()

# Where the package puts the library and the registration tool, for its scripts.
foreach(kind LIBDIR BINDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${kind}}")
    set(deb_${kind} "${CMAKE_INSTALL_${kind}}")
  else()
    set(deb_${kind} "${FENWARX_DEB_PREFIX}/${CMAKE_INSTALL_${kind}}")
  endif()
endforeach()
get_target_property(FENWARX_SOVERSION fenwarx SOVERSION)
set(FENWARX_DEB_LIBRARY
    "${deb_LIBDIR}/${CMAKE_SHARED_LIBRARY_PREFIX}fenwarx${CMAKE_SHARED_LIBRARY_SUFFIX}.${FENWARX_SOVERSION}")
set(FENWARX_DEB_REGISTER "${deb_BINDIR}/fenwarx-register")

# The scripts are written even while this build has no registration tool: the
# package's promise is a registered library, and its postinst says when it cannot
# keep it.
set(FENWARX_DEB_SCRIPTS)
foreach(script postinst prerm postrm)
  configure_file(packaging/debian/${script}.in ${PROJECT_BINARY_DIR}/packaging/debian/${script}
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                 GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  list(APPEND FENWARX_DEB_SCRIPTS ${PROJECT_BINARY_DIR}/packaging/debian/${script})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fenwarx)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${FENWARX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "checks quarterly TDS/TCS return workbooks")
set(CPACK_PACKAGE_DESCRIPTION
    "Fenwarx checks a quarterly TDS/TCS return typed into a return workbook (.xlsx or
.xlsm), marks bad cells and logs them in the workbook, writes the caret-delimited
return file, starts a validator on it and fills a certificate host's database.
Forms 24, 26, 27 and 27EQ.
.
This package holds the library libfenwarx with its C interface, the fenwarx
command line, the setup and registration tools, the stand-in certificate host's
utility, and the pkg-config and CMake files to build against the library.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${FENWARX_DEB_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Where the build leaves the package's own libraries, for dpkg-shlibdeps to find
# them when a program of the package links one.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS)
foreach(library ${FENWARX_LIBRARIES})
  get_target_property(dir ${library} LIBRARY_OUTPUT_DIRECTORY)
  if(NOT dir)
    get_target_property(dir ${library} BINARY_DIR)
  endif()
  list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${dir})
endforeach()
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The certificate pages are set in DejaVu Sans; no library link shows that.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
# The Calc toolbar needs Calc and its Python bridge; the command line does not.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc, python3-uno")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${FENWARX_DEB_SCRIPTS})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
