# Tools that run on the build machine while the project builds: a CMake project of their own, built with
# the build machine's compiler instead of the cross toolchain, and rebuilt on every build so that edits to
# their sources (or to the writers they share with the test kit) reach the files they generate.
include_guard(GLOBAL)
include(ExternalProject)

find_program(HOST_CXX NAMES c++ g++ clang++ clang++-14 REQUIRED)

# add_host_tools(<target> SOURCE_DIR <dir> BINARY_DIR <dir> TOOLS <full names>...): the tools are the
# project's byproducts, so custom commands can name them as dependencies.
function(add_host_tools target)
  cmake_parse_arguments(ARG "" "SOURCE_DIR;BINARY_DIR" "TOOLS" ${ARGN})
  ExternalProject_Add(${target}
    SOURCE_DIR ${ARG_SOURCE_DIR}
    BINARY_DIR ${ARG_BINARY_DIR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${HOST_CXX} -DCMAKE_BUILD_TYPE=Release
      -DWARNINGS_AS_ERRORS=${WARNINGS_AS_ERRORS}
    INSTALL_COMMAND ""
    BUILD_ALWAYS TRUE
    BUILD_BYPRODUCTS ${ARG_TOOLS})
endfunction()
