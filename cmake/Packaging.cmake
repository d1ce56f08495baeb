# Debian packages from the install components: libxelopts1 (the library),
# libxelopts-dev (headers, CMake and pkg-config files) and xelopts-tools
# (xeljob). Configure with CMAKE_INSTALL_PREFIX=/usr (the release preset) so
# that the library lands in the multiarch folder.
set(CPACK_PACKAGE_NAME xelopts)
set(CPACK_PACKAGE_VENDOR "xelopts developers")
set(CPACK_PACKAGE_CONTACT "xelopts developers <xelopts@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
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
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Any later 1.x library serves what was built against this one.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "xelopts shared library: reentrant option scanner and job option parsers")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libxelopts-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libxelopts1 (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "xelopts development files: headers, CMake package, pkg-config file, xelopts(3)")

# dpkg-shlibdeps cannot see the sibling library package, so the tool names
# it; the library package brings the C and C++ run-time libraries.
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME xelopts-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "libxelopts1 (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_TOOLS_DESCRIPTION
    "xeljob: shows what a job process makes of a command line")

include(CPack)
