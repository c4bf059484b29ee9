# SPDX-License-Identifier: GPL-3.0-or-later
include(GoogleTest)

# One GoogleTest executable per module, linked against the libraries as any user would. Natively
# each case is a test of its own; under an emulator (Wine, Node, qemu) each program starts once, as
# every start costs the emulator's, and names its cases in its output. Skipped only by the exit
# status: a case's text is no verdict (skip_by_status.sh).
add_library(test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp)
target_link_libraries(test_main PUBLIC GTest::gtest)
function(add_core_test name)
  add_executable(${name} ${name}.cpp)
  target_link_libraries(${name} PRIVATE hengtiebao::core test_main ${ARGN})
  # The fixtures and environment the caller set (core_test_fixtures, core_test_environment).
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED ${core_test_fixtures})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${core_test_environment})
  else()
    set(properties SKIP_RETURN_CODE 77)
    if(core_test_fixtures)
      list(APPEND properties FIXTURES_REQUIRED ${core_test_fixtures})
    endif()
    if(core_test_environment)
      list(APPEND properties ENVIRONMENT ${core_test_environment})
    endif()
    set_target_properties(${name} PROPERTIES
      CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/skip_by_status.sh)
    # Listing the cases may take more than the default 5 s on a loaded machine.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES ${properties})
  endif()
endfunction()
