# zentaro_warnings(target): the project's warning level; warnings are errors
# unless ZENTARO_WERROR is switched off.
option(ZENTARO_WERROR "Treat warnings as errors" ON)
function(zentaro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wduplicated-cond -Wlogical-op)
  if(ZENTARO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
