# SPDX-License-Identifier: GPL-3.0-or-later
# A feature check that answers "no" only for the feature. The same headers are first compiled
# without it: where that fails too, the compiler call itself is broken (a flag, the environment)
# and the configure stops with the compiler's own words, instead of quietly taking a fallback.
function(hengtiebao_check_feature variable headers body)
  if(DEFINED CACHE{${variable}})
    return()
  endif()
  list(TRANSFORM headers PREPEND "#include <")
  list(TRANSFORM headers APPEND ">\n")
  string(JOIN "" includes ${headers})
  try_compile(compiles SOURCE_FROM_CONTENT headers_only.cpp "${includes}int main() { return 0; }\n"
              OUTPUT_VARIABLE output)
  if(NOT compiles)
    message(FATAL_ERROR "${variable} cannot be checked: the compiler fails without the feature too\n"
                        "${output}")
  endif()
  try_compile(compiles SOURCE_FROM_CONTENT feature.cpp "${includes}${body}" OUTPUT_VARIABLE output)
  message(CHECK_START "${variable}")
  if(compiles)
    message(CHECK_PASS "yes")
  else()
    message(CHECK_FAIL "no")
  endif()
  set(${variable} ${compiles} CACHE INTERNAL "${variable}: the feature compiles")
endfunction()
