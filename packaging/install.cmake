# What `cmake --install` (and the .deb, which installs the same rules under /usr)
# puts where. Included at the end of the top CMakeLists.txt, after every target it
# names: a program or library this build does not make is skipped.
include(CMakePackageConfigHelpers)

# The system-wide folder of the class registry: the client loader reads it and
# the package registers the library in it.
if(NOT DEFINED FENWARX_SYSTEM_REGISTRY_DIR)
  set(FENWARX_SYSTEM_REGISTRY_DIR "${CMAKE_INSTALL_FULL_LOCALSTATEDIR}/lib/fenwarx"
      CACHE PATH "System-wide folder of the class registry the client loader reads")
endif()

set(FENWARX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/fenwarx)
set(FENWARX_HEADER_DIR ${CMAKE_INSTALL_INCLUDEDIR}/fenwarx)
set(FENWARX_CLIENT_HEADER ${PROJECT_SOURCE_DIR}/setup/include/fenwarx/client.h)

# An include folder of the source tree serves builds in the tree only; installed,
# the headers stand under include/fenwarx/ and the export names that instead.
function(fenwarx_build_tree_includes target)
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  if(NOT dirs)
    return()
  endif()
  set(kept)
  foreach(dir IN LISTS dirs)
    if(dir MATCHES "^\\$<")
      list(APPEND kept "${dir}")
    else()
      list(APPEND kept "$<BUILD_INTERFACE:${dir}>")
    endif()
  endforeach()
  set_property(TARGET ${target} PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${kept}")
endfunction()

# The libraries with their SONAME links, and their headers.
set(FENWARX_LIBRARIES fenwarx)
install(FILES component/returns/c_api.h DESTINATION ${FENWARX_HEADER_DIR})
if(TARGET fenwarx_client)
  if(NOT EXISTS ${FENWARX_CLIENT_HEADER})
    message(FATAL_ERROR "The client loader's public header is not at ${FENWARX_CLIENT_HEADER}; "
                        "packaging/install.cmake installs it from there")
  endif()
  fenwarx_build_tree_includes(fenwarx_client)
  set_target_properties(fenwarx_client PROPERTIES EXPORT_NAME client)
  list(APPEND FENWARX_LIBRARIES fenwarx_client)
  install(FILES ${FENWARX_CLIENT_HEADER} DESTINATION ${FENWARX_HEADER_DIR})
endif()
install(TARGETS ${FENWARX_LIBRARIES} EXPORT fenwarxTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# The programs. The CLI finds the certificate host's utility beside itself
# (`fenwarx host init`), so the utility goes into the same folder.
foreach(program fenwarx_cli fenwarx-setup fenwarx-register fenwarx-host-utility)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# A manual page for each program a user runs by name.
set(FENWARX_MAN_PAGES man/fenwarx.1)
foreach(program fenwarx-setup fenwarx-register)
  if(TARGET ${program})
    list(APPEND FENWARX_MAN_PAGES man/${program}.1)
  endif()
endforeach()
install(FILES ${FENWARX_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# pkg-config modules, written at install time for the prefix installed into.
set(FENWARX_PC_MODULES fenwarx)
if(TARGET fenwarx_client)
  list(APPEND FENWARX_PC_MODULES fenwarx-client)
endif()
foreach(module ${FENWARX_PC_MODULES})
  install(CODE "
    include(\"${PROJECT_SOURCE_DIR}/packaging/pkgconfig_install.cmake\")
    fenwarx_install_pkgconfig(
      TEMPLATE \"${PROJECT_SOURCE_DIR}/packaging/${module}.pc.in\"
      STAGING \"${PROJECT_BINARY_DIR}/packaging/pkgconfig\"
      LIBDIR \"${CMAKE_INSTALL_LIBDIR}\"
      INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\"
      VERSION \"${PROJECT_VERSION}\")")
endforeach()

# The CMake package: find_package(fenwarx) gives fenwarx::fenwarx (and
# fenwarx::client), relocatable with the install.
install(EXPORT fenwarxTargets NAMESPACE fenwarx:: DESTINATION ${FENWARX_CMAKE_DIR})
configure_package_config_file(packaging/fenwarxConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/packaging/fenwarxConfig.cmake
                              INSTALL_DESTINATION ${FENWARX_CMAKE_DIR})
# One soname, 0, across 0.x: any 0.y satisfies a request for 0.x.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/packaging/fenwarxConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/packaging/fenwarxConfig.cmake
              ${PROJECT_BINARY_DIR}/packaging/fenwarxConfigVersion.cmake
        DESTINATION ${FENWARX_CMAKE_DIR})
