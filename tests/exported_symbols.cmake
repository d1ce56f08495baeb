cmake_minimum_required(VERSION 3.25)
# Fails when the shared library exports anything but the public classes:
# their members, vtables and type information. Run as
#   cmake -DLIBRARY=<libxelopts.so> -DINCLUDE_DIR=<include> -P <this file>
# Every class with a header in INCLUDE_DIR must export something.
set(classes XelGetOpt XelOptionsParser BackupOptionsParser
            RestoreOptionsParser ScanOptionsParser)
# Symbols the linker itself may define in any shared object, and the
# library's symbol version node.
set(linker_symbols _init _fini _edata _end __bss_start XELOPTS_1)

execute_process(COMMAND nm -D --defined-only -C "${LIBRARY}"
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()

list(JOIN classes "|" class_alternatives)
set(public_symbol
    "^((vtable|typeinfo|typeinfo name) for )?(${class_alternatives})(::|$)")

string(REPLACE "\n" ";" lines "${listing}")
set(strays "")
set(exported_classes "")
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  # "<address> <type> <name>"; the name may hold spaces.
  if(NOT line MATCHES "^[0-9a-fA-F]* *[A-Za-z] (.*)$")
    list(APPEND strays "${line}")
    continue()
  endif()
  # Drop the version suffix: "name@@XELOPTS_1".
  string(REGEX REPLACE "@.*$" "" name "${CMAKE_MATCH_1}")
  if(name MATCHES "${public_symbol}")
    list(APPEND exported_classes "${CMAKE_MATCH_3}")
  elseif(NOT name IN_LIST linker_symbols)
    list(APPEND strays "${name}")
  endif()
endforeach()

if(strays)
  list(JOIN strays "\n  " shown)
  message(FATAL_ERROR "exported symbols outside the public classes:\n  "
                      "${shown}")
endif()
foreach(class IN LISTS classes)
  if(EXISTS "${INCLUDE_DIR}/${class}.h" AND
     NOT class IN_LIST exported_classes)
    message(FATAL_ERROR "${class} has a header but exports nothing")
  endif()
endforeach()
message(STATUS "exported: only the public classes")
