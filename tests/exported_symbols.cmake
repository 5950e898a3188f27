# Fails when the library exports a symbol of the standard library, fmt, spdlog or pugixml:
# only what the public headers declare leaves it.
#
# cmake -DLIBRARY=<libvonk-ui.so> -P exported_symbols.cmake

execute_process(COMMAND nm -D --defined-only ${LIBRARY} COMMAND c++filt
                OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR symbols STREQUAL "")
  message(FATAL_ERROR "no symbols read from ${LIBRARY}")
endif()
string(REPLACE ";" "," symbols "${symbols}")
string(REPLACE "\n" ";" symbols "${symbols}")

set(foreign "")
foreach(line IN LISTS symbols)
  # "<address> <type> <demangled name>": the entity is the last word once template
  # arguments, parameters and operator spellings are taken out.
  string(REGEX REPLACE "^[0-9a-f]* [A-Za-z] " "" name "${line}")
  string(REPLACE "operator()" "operator" entity "${name}")
  string(REGEX REPLACE "operator[^A-Za-z_ (][^ (]*" "operator" entity "${entity}")
  set(previous "")
  while(NOT entity STREQUAL previous)
    set(previous "${entity}")
    string(REGEX REPLACE "<[^<>]*>|\\([^()]*\\)" "" entity "${entity}")
  endwhile()
  string(REGEX REPLACE " const$" "" entity "${entity}")
  string(REGEX REPLACE ".* " "" entity "${entity}")
  if(entity MATCHES "^(std|__gnu_cxx|fmt|spdlog|pugi)::")
    string(APPEND foreign "  ${name}\n")
  endif()
endforeach()
if(NOT foreign STREQUAL "")
  message(FATAL_ERROR "${LIBRARY} exports what is not its own:\n${foreign}")
endif()
