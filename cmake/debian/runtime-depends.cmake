# SPDX-License-Identifier: MIT
# Read by cpack before it builds the packages (CPACK_PROJECT_CONFIG_FILE):
# libxelopts1's Depends, as dpkg-shlibdeps finds them for the library built.
# It reads debian/control of its working folder, which may be empty.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(work "${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/runtime-depends")
file(WRITE "${work}/debian/control" "")
execute_process(COMMAND dpkg-shlibdeps -O "${CPACK_XELOPTS_LIBRARY}"
  WORKING_DIRECTORY "${work}"
  RESULT_VARIABLE status OUTPUT_VARIABLE substvars ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT substvars MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps ${CPACK_XELOPTS_LIBRARY}: ${errors}")
endif()
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
