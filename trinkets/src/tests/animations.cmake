# Animations end to end: QAnimations runs scripts with script animations made from a resource module.
project_windows_program(QAnimations SOURCES programs/QAnimations.cpp LIBRARIES om_winmain trinkets_display)
target_include_directories(QAnimations PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
project_test_program(trinkets_animation_program_tests
  WINDOWS
  SOURCES AnimationProgramTest.cpp
  LIBRARIES testkit)
add_dependencies(trinkets_animation_program_tests QAnimations)
set_tests_properties(trinkets_animation_program_tests PROPERTIES
  ENVIRONMENT GTEST_FILTER=-AnimationProgramTest.ThroughDirectDrawSurfacesADeepDisplay*)
# Push buttons, with the sound tests' fake wave device.
project_test_program(trinkets_button_tests
  WINDOWS
  SOURCES ButtonTest.cpp
  LIBRARIES trinkets_display testkit)
target_include_directories(trinkets_button_tests PRIVATE ${PROJECT_SOURCE_DIR}/om/platform/tests)
# QAnimations sets Wine's DirectDraw renderer through the test kit's header.
target_include_directories(QAnimations PRIVATE ${PROJECT_SOURCE_DIR}/testkit)
# The animation program on a true-colour screen, through GDI and through DirectDraw surfaces: the same tests
# in a Wine world of their own at 24 bits per pixel.
set(TRINKETS_TRUECOLOUR_WORLD ${CMAKE_BINARY_DIR}/wine-trinkets-truecolour)
add_test(NAME trinkets_animation_truecolour_tests
  COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${TRINKETS_TRUECOLOUR_WORLD}
          $<TARGET_FILE:trinkets_animation_program_tests> --gtest_brief=1)
add_test(NAME trinkets_animation_truecolour_stop
  COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${TRINKETS_TRUECOLOUR_WORLD} --stop)
set_tests_properties(trinkets_animation_truecolour_tests PROPERTIES
  ENVIRONMENT WINE_SCREEN_DEPTH=24 TIMEOUT 600 RUN_SERIAL TRUE FIXTURES_REQUIRED trinkets_truecolour)
set_tests_properties(trinkets_animation_truecolour_stop PROPERTIES FIXTURES_CLEANUP trinkets_truecolour)
# Static pictures, palettes and frames on deep pixels.
target_sources(trinkets_display_tests PRIVATE AnimationDeepTest.cpp)
add_dependencies(trinkets_display_tests ResModule)
set_tests_properties(trinkets_display_tests PROPERTIES ENVIRONMENT GTEST_FILTER=-AnimationDeepTest.OnADeepDisplay*)
# Palettes shared on a deep display, in the true-colour world.
add_test(NAME trinkets_animation_deep_tests
  COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${TRINKETS_TRUECOLOUR_WORLD}
          $<TARGET_FILE:trinkets_display_tests> --gtest_brief=1 --gtest_filter=AnimationDeepTest.*:AnimationImageTest.*)
set_tests_properties(trinkets_animation_deep_tests PROPERTIES
  ENVIRONMENT WINE_SCREEN_DEPTH=24 TIMEOUT 600 RUN_SERIAL TRUE FIXTURES_REQUIRED trinkets_truecolour)
target_sources(trinkets_button_tests PRIVATE AnimationSoundTest.cpp)
# Sliders and the gauge, their pictures served by id.
target_sources(trinkets_button_tests PRIVATE SliderTest.cpp)
target_link_libraries(trinkets_button_tests PRIVATE freed_memory)
target_sources(trinkets_button_tests PRIVATE ToonTest.cpp)
add_dependencies(trinkets_button_tests ResModule)
