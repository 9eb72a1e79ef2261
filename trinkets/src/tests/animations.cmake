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
# Push buttons, with the sound tests' fake wave device.
project_test_program(trinkets_button_tests
  WINDOWS
  SOURCES ButtonTest.cpp
  LIBRARIES trinkets_display testkit)
target_include_directories(trinkets_button_tests PRIVATE ${PROJECT_SOURCE_DIR}/om/platform/tests)
# Static pictures, palettes and frames on deep pixels.
target_sources(trinkets_display_tests PRIVATE AnimationImageTest.cpp PixelWriterTest.cpp)
