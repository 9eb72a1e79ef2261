# Animations end to end: QAnimations runs scripts with script animations made from a resource module.
add_executable(QAnimations programs/QAnimations.cpp)
target_include_directories(QAnimations PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(QAnimations PRIVATE om_winmain trinkets_display)
target_link_options(QAnimations PRIVATE -Wl,--subsystem,windows:4.0)
project_warnings(QAnimations)
project_test_program(trinkets_animation_program_tests
  WINDOWS
  SOURCES AnimationProgramTest.cpp
  LIBRARIES testkit)
add_dependencies(trinkets_animation_program_tests QAnimations)
