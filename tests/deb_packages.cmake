# Makes the Debian packages of the build (`cpack -G DEB`) and checks them: a run-time
# package with the two shared objects and a -dev package with the rest, under /usr and the
# multiarch folder, each with its copyright file; stripped objects with versioned sonames;
# a Maintainer with an address; an Installed-Size that counts each file once.
#
# cmake -DCPACK_CONFIG=<build>/CPackConfig.cmake -DWORK_DIR=... -DSOURCE_DIR=... -DVERSION=...
#       -DMULTIARCH=x86_64-linux-gnu -DBUILD_TYPE=... -P deb_packages.cmake

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
run(cpack --config ${CPACK_CONFIG} -G DEB -B ${WORK_DIR})

string(REGEX MATCH "^[0-9]+" major "${VERSION}")
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(runtime libvonk-ui${major})
set(development libvonk-ui-dev)
set(lib usr/lib/${MULTIARCH})
string(TOLOWER "${BUILD_TYPE}" config)

set(expected_${runtime}
  "usr/share/doc/${runtime}/copyright"
  "${lib}/libvonk-ui.so.${VERSION}" "${lib}/libvonk-ui.so.${major} -> libvonk-ui.so.${VERSION}"
  "${lib}/libvonk-headless.so.${VERSION}" "${lib}/libvonk-headless.so.${major} -> libvonk-headless.so.${VERSION}")
file(GLOB headers RELATIVE ${SOURCE_DIR}/include/vonk-ui ${SOURCE_DIR}/include/vonk-ui/*.h)
set(expected_${development}
  "usr/share/doc/${development}/copyright"
  "${lib}/libvonk-ui.so -> libvonk-ui.so.${major}" "${lib}/libvonk-headless.so -> libvonk-headless.so.${major}"
  "${lib}/pkgconfig/vonk-ui.pc" "${lib}/pkgconfig/vonk-headless.pc"
  "${lib}/cmake/vonk-ui/vonk-ui-config.cmake" "${lib}/cmake/vonk-ui/vonk-ui-config-version.cmake"
  "${lib}/cmake/vonk-ui/vonk-ui-targets.cmake" "${lib}/cmake/vonk-ui/vonk-ui-targets-${config}.cmake"
  "usr/include/vonk-ui/headless.h" "usr/include/vonk-ui/UIVersion.h")
foreach(header IN LISTS headers)
  list(APPEND expected_${development} "usr/include/vonk-ui/${header}")
endforeach()

set(problems "")
foreach(package ${runtime} ${development})
  set(deb ${WORK_DIR}/${package}_${VERSION}_${arch}.deb)
  if(NOT EXISTS ${deb})
    file(GLOB made ${WORK_DIR}/*.deb)
    message(FATAL_ERROR "no ${deb}; made: ${made}")
  endif()

  # The files and links, without the folders, as "path" and "path -> target".
  run(dpkg-deb --contents ${deb})
  string(REPLACE "\n" ";" entries "${out}")
  set(files "")
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^[-l][^ ]* +[^ ]+ +[0-9]+ +[^ ]+ +[^ ]+ +\\./(.*)$")
      list(APPEND files "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  list(SORT files)
  list(SORT expected_${package})
  if(NOT files STREQUAL expected_${package})
    string(REPLACE ";" "\n  " files "${files}")
    string(APPEND problems "${package} holds:\n  ${files}\n")
  endif()

  run(dpkg-deb --field ${deb} Package Maintainer Depends Installed-Size)
  if(NOT out MATCHES "Package: ${package}\n" OR NOT out MATCHES "Maintainer: [^\n<]+ <[^@>\n ]+@[^>\n ]+>\n")
    string(APPEND problems "${package}'s fields:\n${out}")
  endif()
  if(package STREQUAL development AND NOT out MATCHES "Depends: ${runtime} \\(= ${VERSION}\\)")
    string(APPEND problems "${package} does not depend on ${runtime} of its version:\n${out}")
  endif()
  string(REGEX MATCH "Installed-Size: ([0-9]+)" size "${out}")
  set(installed ${CMAKE_MATCH_1})

  # What the files take: each once, in whole KiB; the folders and links 1 KiB each at most.
  set(tree ${WORK_DIR}/${package})
  run(dpkg-deb --extract ${deb} ${tree})
  file(GLOB_RECURSE contents LIST_DIRECTORIES true ${tree}/*)
  set(least 0)
  set(most 0)
  foreach(path IN LISTS contents)
    if(IS_SYMLINK ${path} OR IS_DIRECTORY ${path})
      math(EXPR most "${most} + 1")
    else()
      file(SIZE ${path} bytes)
      math(EXPR least "${least} + ${bytes} / 1024")
      math(EXPR most "${most} + (${bytes} + 1023) / 1024")
    endif()
  endforeach()
  if(installed LESS least OR installed GREATER most)
    string(APPEND problems "${package}: Installed-Size ${installed}, the files take ${least} to ${most} KiB\n")
  endif()
endforeach()

# The run-time objects: stripped, each with the soname that applications record.
foreach(name vonk-ui vonk-headless)
  set(object ${WORK_DIR}/${runtime}/${lib}/lib${name}.so.${VERSION})
  run(readelf --dynamic ${object})
  if(NOT out MATCHES "\\(SONAME\\) +Library soname: \\[lib${name}\\.so\\.${major}\\]")
    string(APPEND problems "lib${name} has no soname lib${name}.so.${major}\n")
  endif()
  run(readelf --section-headers ${object})
  if(out MATCHES "\\.debug_|\\.symtab")
    string(APPEND problems "lib${name}.so.${VERSION} is not stripped\n")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "${problems}")
endif()
