# What `cmake --install` and `cpack -G DEB` deliver beside the two libraries and their
# headers: the CMake package, the pkg-config files and the licence.

include(CMakePackageConfigHelpers)
set(VONK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vonk-ui)
install(EXPORT vonk-ui-targets NAMESPACE vonk-ui:: DESTINATION ${VONK_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/vonk-ui-config.cmake.in
  ${PROJECT_BINARY_DIR}/vonk-ui-config.cmake INSTALL_DESTINATION ${VONK_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vonk-ui-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vonk-ui-config.cmake ${PROJECT_BINARY_DIR}/vonk-ui-config-version.cmake
        DESTINATION ${VONK_CMAKE_DIR})

# The pkg-config files name the prefix that the install runs with (`--prefix` may change
# it after configuring), so they are written at install time; libdir and includedir
# follow the prefix unless they were given as absolute paths.
function(vonk_pc_dir var dir)
  if(IS_ABSOLUTE "${dir}")
    set(${var} "${dir}" PARENT_SCOPE)
  else()
    set(${var} "\${prefix}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
set(VONK_PC_PREFIX "@CMAKE_INSTALL_PREFIX@")
vonk_pc_dir(VONK_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
vonk_pc_dir(VONK_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}")
foreach(pc vonk-ui vonk-headless)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/${pc}.pc.in @ONLY)
  install(CODE "configure_file(\"${PROJECT_BINARY_DIR}/pkgconfig/${pc}.pc.in\"
                               \"${PROJECT_BINARY_DIR}/pkgconfig/${pc}.pc\" @ONLY)")
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

# `cpack -G DEB` in the build folder makes libvonk-ui_<version>_<arch>.deb with all of it.
set(CPACK_PACKAGE_NAME libvonk-ui)
set(CPACK_PACKAGE_VENDOR "libvonk-ui developers")
set(CPACK_PACKAGE_CONTACT "libvonk-ui developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "User-interface library built from XML markup, with a headless backend")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
