# What `cmake --install` and `cpack -G DEB` deliver beside the two libraries and their
# headers: the CMake package, the pkg-config files and the copyright file, in two
# components: Runtime (the shared objects) and Development (everything a build needs).

set(VONK_RUNTIME_PACKAGE libvonk-ui${PROJECT_VERSION_MAJOR})
set(VONK_DEVELOPMENT_PACKAGE libvonk-ui-dev)

include(CMakePackageConfigHelpers)
set(VONK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vonk-ui)
install(EXPORT vonk-ui-targets NAMESPACE vonk-ui:: DESTINATION ${VONK_CMAKE_DIR} COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/vonk-ui-config.cmake.in
  ${PROJECT_BINARY_DIR}/vonk-ui-config.cmake INSTALL_DESTINATION ${VONK_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vonk-ui-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vonk-ui-config.cmake ${PROJECT_BINARY_DIR}/vonk-ui-config-version.cmake
        DESTINATION ${VONK_CMAKE_DIR} COMPONENT Development)

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
                               \"${PROJECT_BINARY_DIR}/pkgconfig/${pc}.pc\" @ONLY)"
          COMPONENT Development)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
          COMPONENT Development)
endforeach()

# The copyright file in Debian's machine-readable form: the library's licence and that of
# pugixml, which is compiled into it; both are the Expat (MIT) licence. Each package has it
# in its own folder of /usr/share/doc.
function(vonk_copyright_holder file var)
  file(STRINGS ${file} line REGEX "^Copyright \\(c\\) " LIMIT_COUNT 1)
  string(REGEX REPLACE "^Copyright \\(c\\) " "" line "${line}")
  set(${var} "${line}" PARENT_SCOPE)
endfunction()
vonk_copyright_holder(${PROJECT_SOURCE_DIR}/LICENSE VONK_COPYRIGHT)
vonk_copyright_holder(${PROJECT_SOURCE_DIR}/third_party/pugixml/LICENSE.md VONK_PUGIXML_COPYRIGHT)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^.*\n(Permission is hereby granted)" "\\1" licence "${licence}")
string(STRIP "${licence}" licence)
string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence " ${licence}")
file(WRITE ${PROJECT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${PROJECT_NAME}

Files: *
Copyright: ${VONK_COPYRIGHT}
License: Expat

Files: third_party/pugixml/*
Copyright: ${VONK_PUGIXML_COPYRIGHT}
License: Expat

License: Expat
${licence}
")
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${VONK_RUNTIME_PACKAGE}
        COMPONENT Runtime)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${VONK_DEVELOPMENT_PACKAGE}
        COMPONENT Development)

# `cpack -G DEB` in the build folder makes the two packages, libvonk-ui0 and libvonk-ui-dev,
# under /usr whatever the install prefix, with stripped shared objects.
# The Maintainer: -DVONK_PACKAGE_MAINTAINER, else Debian's DEBFULLNAME and DEBEMAIL, else
# the project's placeholder address.
if(DEFINED ENV{DEBFULLNAME} AND DEFINED ENV{DEBEMAIL})
  set(maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  set(maintainer "libvonk-ui developers <libvonk-ui@example.org>")
endif()
set(VONK_PACKAGE_MAINTAINER "${maintainer}" CACHE STRING "The packages' Maintainer: a name and an address")
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "libvonk-ui developers")
set(CPACK_PACKAGE_CONTACT "${VONK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "User-interface library built from XML markup, with a headless backend")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VONK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${VONK_RUNTIME_PACKAGE})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}
libvonk-ui builds each window of an application from XML markup into a tree of controls,
lays it out, paints it through a platform backend that it loads at run time, and reports
what the user did to the window's handlers. This package holds the library and the
headless stand-in backend, libvonk-headless, that tests and scripted runs draw into memory.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${VONK_DEVELOPMENT_PACKAGE})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "User-interface library built from XML markup: development files
The headers of libvonk-ui and of its headless backend's driver (headless.h), the links to
link against both, their pkg-config files (vonk-ui, vonk-headless) and the CMake package
(find_package(vonk-ui)).")

# CPack counts a link at the size of the file it names; the packages' Installed-Size is
# made again as dpkg counts it.
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebInstalledSize.cmake)
include(CPack)
