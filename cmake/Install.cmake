# SPDX-License-Identifier: MIT
# What `cmake --install` lays down: the library, the public headers in
# a folder of their own (consumers write #include <xelopts/XelGetOpt.h>, or
# #include <XelGetOpt.h>: the package puts both folders on the path),
# a CMake package giving xelopts::xelopts, a pkg-config file and the manual
# page xelopts(3), also under the class names. Components match the Debian packages: runtime, development
# (tools adds xeljob).
include(CMakePackageConfigHelpers)

set(XELOPTS_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/xelopts")

install(TARGETS xelopts EXPORT xeloptsTargets
  LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}"
    COMPONENT runtime NAMELINK_COMPONENT development
  ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT development)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/include/xelopts/"
  DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/xelopts"
  COMPONENT development
  FILES_MATCHING PATTERN "*.h")

install(EXPORT xeloptsTargets NAMESPACE xelopts::
  DESTINATION "${XELOPTS_INSTALL_CMAKEDIR}" COMPONENT development)
configure_package_config_file(
  "${PROJECT_SOURCE_DIR}/cmake/xeloptsConfig.cmake.in"
  "${PROJECT_BINARY_DIR}/xeloptsConfig.cmake"
  INSTALL_DESTINATION "${XELOPTS_INSTALL_CMAKEDIR}")
# The library keeps its interface within a major version (the SONAME).
write_basic_package_version_file(
  "${PROJECT_BINARY_DIR}/xeloptsConfigVersion.cmake"
  COMPATIBILITY SameMajorVersion)
install(FILES "${PROJECT_BINARY_DIR}/xeloptsConfig.cmake"
              "${PROJECT_BINARY_DIR}/xeloptsConfigVersion.cmake"
  DESTINATION "${XELOPTS_INSTALL_CMAKEDIR}" COMPONENT development)

# The pkg-config file finds its prefix from its own place, so that an install
# into another prefix (cmake --install --prefix, DESTDIR) stays usable.
set(XELOPTS_PC_DIR "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR
   IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(XELOPTS_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH pc_to_prefix "/prefix/${XELOPTS_PC_DIR}" "/prefix")
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  set(XELOPTS_PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
endif()
set(XELOPTS_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}")
set(XELOPTS_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
foreach(dir IN ITEMS XELOPTS_PC_INCLUDEDIR XELOPTS_PC_LIBDIR)
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "\${prefix}/${${dir}}")
  endif()
endforeach()
configure_file("${PROJECT_SOURCE_DIR}/cmake/xelopts.pc.in"
               "${PROJECT_BINARY_DIR}/xelopts.pc" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/xelopts.pc"
  DESTINATION "${XELOPTS_PC_DIR}" COMPONENT development)
xelopts_gzip("${PROJECT_SOURCE_DIR}/docs/xelopts.3" man_page)
# `man XelGetOpt` and the other class names the page covers find it through
# symbolic links beside it, as Debian prefers them to .so pages.
set(man_links "")
file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/man-links")
foreach(name IN ITEMS XelGetOpt XelOptionsParser BackupOptionsParser
                      RestoreOptionsParser ScanOptionsParser)
  set(link "${PROJECT_BINARY_DIR}/man-links/${name}.3.gz")
  file(CREATE_LINK xelopts.3.gz "${link}" SYMBOLIC)
  list(APPEND man_links "${link}")
endforeach()
install(FILES "${man_page}" ${man_links}
  DESTINATION "${CMAKE_INSTALL_MANDIR}/man3" COMPONENT development)
