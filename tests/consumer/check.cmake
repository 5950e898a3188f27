# Builds the library as a distribution would and installs it into a staged root that looks
# like Debian's (/usr, lib/x86_64-linux-gnu, under DESTDIR); then builds the consumer against
# that tree alone, twice (find_package(vonk-ui) and pkg-config) with LeakSanitizer, runs both,
# and checks what pkg-config answers for that prefix. The installed headers must also compile
# with the prefix's include folder alone on the path. Last, the README's first window, as it
# stands: its program and its two markup files, its PNG, and its filter of the log.
#
# cmake -DPROJECT_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P check.cmake

cmake_minimum_required(VERSION 3.16)

set(prefix /usr)
set(libdir lib/x86_64-linux-gnu)
set(stage ${WORK_DIR}/stage)
set(staged_libdir ${stage}${prefix}/${libdir})
# The library's build is kept between runs; everything installed or built from it is not.
file(REMOVE_RECURSE ${stage} ${WORK_DIR}/cmake-consumer ${WORK_DIR}/bin)
file(MAKE_DIRECTORY ${WORK_DIR}/bin)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
endfunction()

run(${CMAKE_COMMAND} -S ${PROJECT_DIR} -B ${WORK_DIR}/library -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DCMAKE_INSTALL_PREFIX=${prefix} -DCMAKE_INSTALL_LIBDIR=${libdir}
    -DVONK_BUILD_TESTS=OFF -DVONK_BUILD_DEMO=OFF -DVONK_BUILD_BENCH=OFF)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/library -j4)
run(${CMAKE_COMMAND} -E env DESTDIR=${stage} ${CMAKE_COMMAND} --install ${WORK_DIR}/library)

foreach(file ${libdir}/libvonk-ui.so ${libdir}/libvonk-headless.so ${libdir}/libvonk-headless.so.0
             include/vonk-ui/vonk-ui.h include/vonk-ui/headless.h include/vonk-ui/UIVersion.h
             share/doc/libvonk-ui0/copyright
             ${libdir}/pkgconfig/vonk-ui.pc ${libdir}/pkgconfig/vonk-headless.pc
             ${libdir}/cmake/vonk-ui/vonk-ui-config.cmake)
  if(NOT EXISTS ${stage}${prefix}/${file})
    message(FATAL_ERROR "not installed: ${prefix}/${file}")
  endif()
endforeach()

# What pkg-config answers from the installed files: paths under /usr, as on the target
# system; with the stage as sysroot, the same paths inside the stage, for the build below.
set(pkg_config ${CMAKE_COMMAND} -E env PKG_CONFIG_LIBDIR=${staged_libdir}/pkgconfig
    PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1 pkg-config)
function(expect_pkg_config expected)
  execute_process(COMMAND ${pkg_config} ${ARGN} RESULT_VARIABLE rc
                  OUTPUT_VARIABLE answer ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0 OR NOT answer STREQUAL expected)
    message(FATAL_ERROR "pkg-config ${ARGN}: \"${answer}\" (${rc}), expected \"${expected}\"\n${err}")
  endif()
  set(answer "${answer}" PARENT_SCOPE)
endfunction()
expect_pkg_config("${prefix}" --variable=prefix vonk-ui)
expect_pkg_config("${prefix}/${libdir}" --variable=libdir vonk-ui)
expect_pkg_config("${prefix}/include" --variable=includedir vonk-ui)
expect_pkg_config("${VERSION}" --modversion vonk-ui)
expect_pkg_config("-I${prefix}/include/vonk-ui" --cflags vonk-ui)
expect_pkg_config("-L${prefix}/${libdir} -lvonk-ui" --libs vonk-ui)
expect_pkg_config("-I${prefix}/include/vonk-ui" --cflags vonk-headless)
expect_pkg_config("-L${prefix}/${libdir} -lvonk-headless -lvonk-ui" --libs vonk-headless)
list(INSERT pkg_config 3 PKG_CONFIG_SYSROOT_DIR=${stage})
expect_pkg_config("-I${stage}${prefix}/include/vonk-ui -L${staged_libdir} -lvonk-headless -lvonk-ui"
                  --cflags --libs vonk-headless)

set(leak_check -fsanitize=leak -fno-omit-frame-pointer)

run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/cmake-consumer -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DCMAKE_PREFIX_PATH=${stage}${prefix} "-DCMAKE_CXX_FLAGS=-fsanitize=leak -fno-omit-frame-pointer"
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=leak)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake-consumer)

separate_arguments(flags UNIX_COMMAND "${answer}")
run(c++ -std=c++17 ${leak_check} ${SOURCE_DIR}/consumer.cpp -o ${WORK_DIR}/bin/pkgconfig-consumer ${flags} -lpng)

# <vonk-ui/headless.h> and <vonk-ui/vonk-ui.h> with the prefix's include folder alone.
set(prefix_flags -I${stage}${prefix}/include -L${staged_libdir} -lvonk-headless -lvonk-ui)
run(c++ -std=c++17 ${SOURCE_DIR}/prefix_includes.cpp -o ${WORK_DIR}/bin/prefix-includes ${prefix_flags})

# fontconfig's caches are reported although they live until the process ends.
set(run_env LD_LIBRARY_PATH=${staged_libdir} LSAN_OPTIONS=suppressions=${LSAN_SUPPRESSIONS}:exitcode=23 SPDLOG_LEVEL=info)
foreach(consumer ${WORK_DIR}/cmake-consumer/consumer ${WORK_DIR}/bin/pkgconfig-consumer)
  get_filename_component(name ${consumer} NAME)
  run(${CMAKE_COMMAND} -E env ${run_env} ${consumer} ${SOURCE_DIR}/ ${WORK_DIR}/bin/${name}.png)
endforeach()
run(${CMAKE_COMMAND} -E env ${run_env} ${WORK_DIR}/bin/prefix-includes)

# The README's first window: its first C++ block is the program, and each XML block names
# the file of the resource folder beside the program that it is.
set(readme_dir ${WORK_DIR}/bin/readme)
file(REMOVE_RECURSE ${readme_dir})
file(MAKE_DIRECTORY ${readme_dir}/resources)
file(READ ${PROJECT_DIR}/README.md readme)
# Writes the README's blocks of that language into block-<language>-<n> files of the folder;
# answers how many.
function(readme_blocks language var)
  set(count 0)
  set(rest "${readme}")
  string(LENGTH "```${language}\n" fence)
  while(TRUE)
    string(FIND "${rest}" "```${language}\n" start)
    if(start EQUAL -1)
      break()
    endif()
    math(EXPR start "${start} + ${fence}")
    string(SUBSTRING "${rest}" ${start} -1 rest)
    string(FIND "${rest}" "\n```" end)
    string(SUBSTRING "${rest}" 0 ${end} block)
    string(SUBSTRING "${rest}" ${end} -1 rest)
    file(WRITE ${readme_dir}/block-${language}-${count} "${block}\n")
    math(EXPR count "${count} + 1")
  endwhile()
  set(${var} ${count} PARENT_SCOPE)
endfunction()
readme_blocks(cpp programs)
if(programs EQUAL 0)
  message(FATAL_ERROR "the README shows no C++ program")
endif()
file(RENAME ${readme_dir}/block-cpp-0 ${readme_dir}/main.cpp)
readme_blocks(xml markup)
set(written "")
foreach(n RANGE ${markup})
  if(EXISTS ${readme_dir}/block-xml-${n})
    file(STRINGS ${readme_dir}/block-xml-${n} name REGEX "<!-- resources/[A-Za-z_.]+" LIMIT_COUNT 1)
    if(name MATCHES "<!-- resources/([A-Za-z_.]+)")
      file(RENAME ${readme_dir}/block-xml-${n} ${readme_dir}/resources/${CMAKE_MATCH_1})
      list(APPEND written ${CMAKE_MATCH_1})
    endif()
  endif()
endforeach()
if(NOT "main.xml" IN_LIST written OR NOT "global.xml" IN_LIST written)
  message(FATAL_ERROR "the README shows no resources/main.xml and resources/global.xml, only: ${written}")
endif()
run(c++ -std=c++17 ${leak_check} ${readme_dir}/main.cpp -o ${readme_dir}/first-window ${flags})

# It runs as written, and its PNG shows the window at its markup's size: the column's
# background in a corner and the button's colour beside its text.
set(readme_env ${run_env} SPDLOG_LEVEL=debug)
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${readme_env} ${readme_dir}/first-window
                WORKING_DIRECTORY ${readme_dir} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "wrote first-window.png" OR out MATCHES "root == null")
  message(FATAL_ERROR "the README's example failed (${rc}):\n${out}\n${err}")
endif()
set(good_log "${out}")
foreach(probe "4 4 320x200 FF203040" "315 195 320x200 FF203040" "20 56 320x200 FF2080C0")
  separate_arguments(probe)
  list(GET probe 0 x)
  list(GET probe 1 y)
  list(SUBLIST probe 2 2 expected)
  string(REPLACE ";" " " expected "${expected}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${run_env} ${WORK_DIR}/cmake-consumer/consumer --pixel
                          ${readme_dir}/first-window.png ${x} ${y}
                  OUTPUT_VARIABLE pixel OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT pixel STREQUAL expected)
    message(FATAL_ERROR "first-window.png at ${x},${y}: \"${pixel}\", expected \"${expected}\"")
  endif()
endforeach()

# The README's filter of the log finds nothing in a good run, and in a run of a main.xml
# with two mistakes exactly their two lines: an error line and a trace line of the file.
string(REGEX MATCH "grep -E '([^']+)'" filter "${readme}")
set(filter "${CMAKE_MATCH_1}")
if(filter STREQUAL "")
  message(FATAL_ERROR "the README shows no grep -E '...' for the log")
endif()
function(filtered log var)
  file(WRITE ${readme_dir}/log.txt "${log}")
  execute_process(COMMAND grep -E "${filter}" ${readme_dir}/log.txt OUTPUT_VARIABLE lines)
  set(${var} "${lines}" PARENT_SCOPE)
endfunction()
filtered("${good_log}" lines)
if(NOT lines STREQUAL "")
  message(FATAL_ERROR "the README's filter finds lines in a good run:\n${lines}")
endif()
file(READ ${readme_dir}/resources/main.xml good_markup)
string(REPLACE "<Window " "<Window sise=\"1\" " broken "${good_markup}")
string(REPLACE "bkcolor=\"#FF203040\"" "bkcolor=\"FF203040\"" broken "${broken}")
file(WRITE ${readme_dir}/resources/main.xml "${broken}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${readme_env} ${readme_dir}/first-window
                WORKING_DIRECTORY ${readme_dir} OUTPUT_VARIABLE out ERROR_VARIABLE err)
filtered("${out}" lines)
string(REGEX MATCHALL "[^\n]+" found "${lines}")
list(LENGTH found count)
if(NOT count EQUAL 2 OR NOT lines MATCHES "main\\.xml:[0-9]+: Window reads no attribute \"sise\""
   OR NOT lines MATCHES "ERROR: [^\n]*main\\.xml:[0-9]+: colour \"FF203040\" lacks its")
  message(FATAL_ERROR "the README's filter found in a run with two mistakes:\n${lines}")
endif()
file(REMOVE ${readme_dir}/resources/main.xml)
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${readme_env} ${readme_dir}/first-window
                WORKING_DIRECTORY ${readme_dir} OUTPUT_VARIABLE out ERROR_VARIABLE err)
filtered("${out}" lines)
if(NOT lines MATCHES "root == null")
  message(FATAL_ERROR "the README's filter does not show a window whose markup is missing:\n${lines}")
endif()
