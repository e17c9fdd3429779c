# Every first-party target calls wordhoard_warnings(<target>) so the flags live in one place.
function(wordhoard_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(WORDHOARD_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
