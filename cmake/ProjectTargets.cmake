# Helpers that give every target of the project the same warnings and the same test registration.

function(project_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wundef -Wmissing-declarations)
  if(WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A test program: one GoogleTest executable, registered once with ctest and run under Wine.
function(project_test_program target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  project_warnings(${target})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES TIMEOUT 600)
endfunction()
