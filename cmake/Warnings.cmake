# SPDX-License-Identifier: MIT
# Warning flags for every target of the project: xelopts_warnings(<target>).
function(xelopts_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                         -Wshadow -Wconversion -Wsign-conversion
                         -Wswitch-enum)
  if(XELOPTS_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
