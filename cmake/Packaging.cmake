# SPDX-License-Identifier: MIT
# Debian packages from the install components: libxelopts1 (the library),
# libxelopts-dev (headers, CMake and pkg-config files) and xelopts-tools
# (xeljob), each with its copyright file and changelog, as lintian wants
# them. Configure with CMAKE_INSTALL_PREFIX=/usr (the release preset) so
# that the library lands in the multiarch folder.
set(CPACK_PACKAGE_NAME xelopts)
set(CPACK_PACKAGE_VENDOR "xelopts developers")
set(CPACK_PACKAGE_CONTACT "xelopts developers <xelopts@example.org>")
# Each package's Description begins with a synopsis of its own (CPack would
# put this summary line before all three).
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_GENERATOR DEB)
# The release build carries debug information for the ABI check; the
# packages do not.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development)
if(TARGET xeljob)
  list(APPEND CPACK_COMPONENTS_ALL tools)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libxelopts1)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "reentrant getopt-family scanner and job option parsers\n\
The shared library of xelopts: XelGetOpt, a getopt-family option scanner\n\
that keeps all of its state in the object, and the parsers that turn the\n\
command line of a backup, restore or scan job process into its settings.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libxelopts-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libxelopts1 (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "development files of the xelopts scanner and job option parsers\n\
The development files of xelopts: the public headers, the CMake package\n\
(xelopts::xelopts), the pkg-config module and the manual page xelopts(3).")

# dpkg-shlibdeps finds the library in the build tree but cannot tell its
# package (CPack lets it pass over that), so the tool names it.
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME xelopts-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SHLIBDEPS ON)
get_target_property(library_dir xelopts BINARY_DIR)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${library_dir}")
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "libxelopts1 (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "xeljob, which shows what a job process makes of its command line\n\
xeljob shows what a backup, restore or scan job process makes of a\n\
command line: every setting of the record, the diagnostics, the words left\n\
over and, on request, each step of the scan, as text or JSON.")

# libxelopts1: the loader's cache is refreshed by a trigger, not by
# maintainer scripts. CPack writes scripts that call ldconfig for any
# library it inspects under /usr/lib, so it inspects none: the shlibs file
# is written here (any later 1.x library serves what was built against this
# one), and the Depends come from runtime-depends.cmake at packaging time.
set(debian_dir "${PROJECT_SOURCE_DIR}/cmake/debian")
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/debian/shlibs"
  CONTENT "libxelopts ${PROJECT_VERSION_MAJOR} \
${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME} (>= ${PROJECT_VERSION})\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
    "${debian_dir}/triggers;${PROJECT_BINARY_DIR}/debian/shlibs")
set(CPACK_XELOPTS_LIBRARY
    "${library_dir}/libxelopts.so.${PROJECT_VERSION_MAJOR}")
set(CPACK_PROJECT_CONFIG_FILE "${debian_dir}/runtime-depends.cmake")

# /usr/share/doc/PACKAGE of each package: the copyright file in Debian's
# machine-readable format, with the terms of LICENSE, and the changelog.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" license)
if(NOT license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.+)$")
  message(FATAL_ERROR "LICENSE: no copyright line followed by the terms")
endif()
set(XELOPTS_COPYRIGHT "${CMAKE_MATCH_1}")
# A field's continuation lines: indented by one space, "." for a blank one.
string(STRIP "${CMAKE_MATCH_2}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " XELOPTS_LICENSE_TEXT " ${terms}")
configure_file("${debian_dir}/copyright.in"
               "${PROJECT_BINARY_DIR}/debian/copyright" @ONLY)
configure_file("${debian_dir}/changelog.in"
               "${PROJECT_BINARY_DIR}/debian/changelog" @ONLY)
xelopts_gzip("${PROJECT_BINARY_DIR}/debian/changelog" changelog)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER "${component}" upper)
  set(package "${CPACK_DEBIAN_${upper}_PACKAGE_NAME}")
  install(FILES "${PROJECT_BINARY_DIR}/debian/copyright" "${changelog}"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}"
    COMPONENT ${component})
endforeach()

include(CPack)
