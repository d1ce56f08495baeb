# SPDX-License-Identifier: MIT
# Read by cpack before it builds the packages (CPACK_PROJECT_CONFIG_FILE):
# says in its own output why the two warnings it then gives are expected.
if(CPACK_GENERATOR STREQUAL "DEB")
  message(STATUS "libxelopts1: the two CPack warnings 'Adding file to tar: "
    "... missing file: .../cmake/debian/no-scripts/postinst' (and postrm) "
    "are expected. Those files are named and absent on purpose: the name "
    "alone keeps CPack from writing maintainer scripts that call ldconfig; "
    "the package's trigger (cmake/debian/triggers) refreshes the loader's "
    "cache instead (see cmake/Packaging.cmake).")
endif()
