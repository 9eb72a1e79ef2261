# Included by the projects of build-machine tools (see HostTools.cmake): the language level, the project's
# warnings, ROOT for the repository's shared sources and tool_common with the byte reader and writer.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
get_filename_component(ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
option(WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

function(tool_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wundef -Wmissing-declarations)
  if(WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

add_library(tool_common STATIC ${ROOT}/common/ByteReader.cpp ${ROOT}/common/ByteWriter.cpp)
target_include_directories(tool_common PUBLIC ${ROOT}/common)
