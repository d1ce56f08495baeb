# SPDX-License-Identifier: MIT
# xelopts_gzip(<file> <variable>): compresses <file> at build time, as Debian
# installs manual pages and changelogs (gzip -9n: no name or time stamp
# inside, so the same file always gives the same bytes), and sets <variable>
# to the .gz file to install.
function(xelopts_gzip file variable)
  get_filename_component(name "${file}" NAME)
  set(compressed "${PROJECT_BINARY_DIR}/gzip/${name}.gz")
  add_custom_command(OUTPUT "${compressed}"
    COMMAND sh -c "gzip -9n -c \"$0\" >\"$1\"" "${file}" "${compressed}"
    DEPENDS "${file}" VERBATIM)
  add_custom_target(xelopts_gzip_${name} ALL DEPENDS "${compressed}")
  set(${variable} "${compressed}" PARENT_SCOPE)
endfunction()
