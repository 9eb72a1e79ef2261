# Helpers that give every target of the project the same warnings and the same test registration.

function(project_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wundef -Wmissing-declarations)
  if(WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A folder's library: a static library of the folder's sources, with the folder as its public include
# folder, over the libraries it names, with the project's warnings.
function(project_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARG_LIBRARIES)
    target_link_libraries(${target} PUBLIC ${ARG_LIBRARIES})
  endif()
  project_warnings(${target})
endfunction()

# A Windows GUI program (subsystem windows 4.0, as the titles' own programs are linked) with the project's
# warnings.
function(project_windows_program target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${target} WIN32 ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${target} PRIVATE -Wl,--subsystem,windows:4.0)
  project_warnings(${target})
endfunction()

# A test program: one GoogleTest executable, registered once with ctest and run under Wine. WINDOWS marks
# a program that shows windows and reads them back or changes the foreground: it runs alone, so that no
# other test's window covers or steals from its own on the shared display.
function(project_test_program target)
  cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  project_warnings(${target})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES TIMEOUT 600)
  if(ARG_WINDOWS)
    set_tests_properties(${target} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# A program that runs scripts: a main-thread stack reserve of 16 MB, so that queues of steps that finish at
# once nest as deep as their runs ask (RQueue falls back to a loop only near the end of the stack). It costs
# address space, not memory: pages are committed as the stack grows.
function(project_script_stack target)
  target_link_options(${target} PRIVATE -Wl,--stack,16777216)
endfunction()
