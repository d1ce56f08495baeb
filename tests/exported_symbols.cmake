# SPDX-License-Identifier: MIT
cmake_minimum_required(VERSION 3.25)
# Fails when the shared library's exports differ from the committed list
# (exported_symbols.txt, beside this file): an export gained or lost is a
# change of the library's interface. Run as
#   cmake -DLIBRARY=<libxelopts.so> -P <this file>
# With -DUPDATE=ON it writes the list instead, for a change made on purpose.
set(expected_file "${CMAKE_CURRENT_LIST_DIR}/exported_symbols.txt")
# Symbols the linker itself may define in any shared object.
set(linker_symbols _init _fini _edata _end __bss_start)

execute_process(COMMAND nm -D --defined-only -C "${LIBRARY}"
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(exports "")
set(unversioned "")
foreach(line IN LISTS lines)
  # "<address> <type> <name>"; the name may hold spaces.
  if(NOT line MATCHES "^[0-9a-fA-F]* *[A-Za-z] (.*)$")
    continue()
  endif()
  set(name "${CMAKE_MATCH_1}")
  if(name STREQUAL "XELOPTS_1")
    continue()
  endif()
  if(name MATCHES "^(.*)@@XELOPTS_1$")
    list(APPEND exports "${CMAKE_MATCH_1}")
  elseif(NOT name IN_LIST linker_symbols)
    list(APPEND unversioned "${name}")
  endif()
endforeach()
if(unversioned)
  list(JOIN unversioned "\n  " shown)
  message(FATAL_ERROR "exported outside the version node:\n  ${shown}")
endif()
list(REMOVE_DUPLICATES exports)
list(SORT exports)
list(JOIN exports "\n" found)

if(UPDATE)
  file(WRITE "${expected_file}" "${found}\n")
  message(STATUS "wrote ${expected_file}")
  return()
endif()
file(READ "${expected_file}" expected)
string(STRIP "${expected}" expected)
if(NOT found STREQUAL expected)
  string(REPLACE "\n" ";" expected_list "${expected}")
  set(gained "${exports}")
  list(REMOVE_ITEM gained ${expected_list})
  set(lost "${expected_list}")
  list(REMOVE_ITEM lost ${exports})
  list(JOIN gained "\n  + " gained_text)
  list(JOIN lost "\n  - " lost_text)
  message(FATAL_ERROR "exports differ from ${expected_file}\n"
                      "  + ${gained_text}\n  - ${lost_text}\n"
                      "A change on purpose: rerun with -DUPDATE=ON, and see "
                      "docs/contributing.md on the library's interface.")
endif()
list(LENGTH exports count)
message(STATUS "exported: the ${count} symbols of the committed list")
