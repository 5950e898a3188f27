# Builds the library as a distribution would and installs it into a staged root that looks
# like Debian's (/usr, lib/x86_64-linux-gnu, under DESTDIR); then builds the consumer against
# that tree alone, twice (find_package(vonk-ui) and pkg-config) with LeakSanitizer, runs both,
# and checks what pkg-config answers for that prefix.
#
# cmake -DPROJECT_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P check.cmake

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

foreach(file ${libdir}/libvonk-ui.so ${libdir}/libvonk-headless.so include/vonk-ui/vonk-ui.h
             include/vonk-ui/headless.h include/vonk-ui/UIVersion.h share/doc/vonk-ui/LICENSE
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

# The first example of the README, as it stands, against the same flags.
file(READ ${PROJECT_DIR}/README.md readme)
string(FIND "${readme}" "```cpp\n" start)
string(SUBSTRING "${readme}" ${start} -1 readme)
string(FIND "${readme}" "\n```" end)
math(EXPR length "${end} - 7")
string(SUBSTRING "${readme}" 7 ${length} example)
# Its resource directory holds a main.xml with the button "ok", so that it builds a tree
# and then has one to delete.
set(readme_resources ${WORK_DIR}/bin/readme-resources/)
file(WRITE ${readme_resources}main.xml
     "<Window size=\"640,480\"><VerticalLayout><Button name=\"ok\" text=\"OK\"/></VerticalLayout></Window>\n")
string(REPLACE "/usr/share/my-app/" "${readme_resources}" example "${example}")
file(WRITE ${WORK_DIR}/bin/readme-example.cpp "${example}\n")
run(c++ -std=c++17 ${leak_check} ${WORK_DIR}/bin/readme-example.cpp -o ${WORK_DIR}/bin/readme-example ${flags})

# fontconfig's caches are reported although they live until the process ends.
set(run_env LD_LIBRARY_PATH=${staged_libdir} LSAN_OPTIONS=suppressions=${LSAN_SUPPRESSIONS}:exitcode=23 SPDLOG_LEVEL=info)
foreach(consumer ${WORK_DIR}/cmake-consumer/consumer ${WORK_DIR}/bin/pkgconfig-consumer)
  get_filename_component(name ${consumer} NAME)
  run(${CMAKE_COMMAND} -E env ${run_env} ${consumer} ${SOURCE_DIR}/ ${WORK_DIR}/bin/${name}.png)
endforeach()
# Its log says whether main.xml was built: a window without a tree proves nothing.
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${run_env} SPDLOG_LEVEL=debug ${WORK_DIR}/bin/readme-example
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR out MATCHES "root == null" OR NOT out MATCHES "window release")
  message(FATAL_ERROR "the README's example failed (${rc}):\n${out}\n${err}")
endif()
