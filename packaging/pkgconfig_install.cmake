# Runs at install time: writes a pkg-config file for the prefix being installed
# into (cmake --install --prefix, or /usr inside the .deb), not the one the build
# was configured with, and installs it beside the library.
#
# TEMPLATE the .pc.in; STAGING a folder of the build tree; LIBDIR and INCLUDEDIR
# relative to the prefix (or absolute); VERSION. CMAKE_INSTALL_PREFIX and DESTDIR
# are the install's own.
function(fenwarx_install_pkgconfig)
  cmake_parse_arguments(PC "" "TEMPLATE;STAGING;LIBDIR;INCLUDEDIR;VERSION" "" ${ARGN})

  set(prefix "${CMAKE_INSTALL_PREFIX}")
  set(version "${PC_VERSION}")
  foreach(kind libdir includedir)
    string(TOUPPER "${kind}" upper)
    if(IS_ABSOLUTE "${PC_${upper}}")
      set(${kind} "${PC_${upper}}")
    else()
      set(${kind} "\${prefix}/${PC_${upper}}")
    endif()
  endforeach()
  if(IS_ABSOLUTE "${PC_LIBDIR}")
    set(destination "${PC_LIBDIR}/pkgconfig")
  else()
    set(destination "${CMAKE_INSTALL_PREFIX}/${PC_LIBDIR}/pkgconfig")
  endif()

  # One staging folder per destination, so a package built while another
  # install runs never picks up the other's file.
  string(MD5 key "$ENV{DESTDIR}|${CMAKE_INSTALL_PREFIX}")
  get_filename_component(name "${PC_TEMPLATE}" NAME_WLE)
  set(staged "${PC_STAGING}/${key}/${name}")
  configure_file("${PC_TEMPLATE}" "${staged}" @ONLY)
  # file(INSTALL) adds DESTDIR and records the file in the install manifest.
  file(INSTALL DESTINATION "${destination}" TYPE FILE FILES "${staged}")
endfunction()
