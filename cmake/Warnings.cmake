# SPDX-FileCopyrightText: 2026 The Wordhoard developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Every first-party target calls wordhoard_warnings(<target>) so the flags live in one place.
function(wordhoard_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(WORDHOARD_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
