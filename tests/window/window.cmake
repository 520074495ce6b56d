# The real-window suite (tests/window/): window_app driven under Xvfb by xdotool, the screen read by
# xprobe. Included from the top CMakeLists.txt; needs the tests, the SDL backend and Xlib. The test
# skips (exit 77), saying why, where no X server can start or xvfb-run/xdotool are missing.
if(NOT JOX_BUILD_TESTS OR NOT TARGET jox_backend_sdl)
  return()
endif()
find_package(X11 QUIET)
add_executable(window_app ${JOX_ROOT}/tests/window/window_app.cpp)
target_link_libraries(window_app PRIVATE joxwidgets jox_backend_sdl)
jox_options(window_app)
add_executable(screens_app ${JOX_ROOT}/tests/window/screens_app.cpp)
target_link_libraries(screens_app PRIVATE joxwidgets jox_backend_sdl)
jox_options(screens_app)
if(X11_FOUND)
  add_executable(xprobe ${JOX_ROOT}/tests/window/xprobe.cpp)
  target_include_directories(xprobe PRIVATE ${X11_INCLUDE_DIR})
  target_link_libraries(xprobe PRIVATE ${X11_LIBRARIES})
  jox_options(xprobe)
  # The gallery, when built, is tried at scale 2 as well.
  set(_jox_gallery "")
  if(TARGET joxwidgets-gallery)
    set(_jox_gallery $<TARGET_FILE:joxwidgets-gallery>)
  endif()
  add_test(NAME window_suite
           COMMAND sh ${JOX_ROOT}/tests/window/run_window_suite.sh $<TARGET_FILE:window_app> $<TARGET_FILE:xprobe>
                   ${_jox_gallery})
  # Two monitors on one wide screen (JOX_MONITORS): where popups, messages and hints open.
  add_test(NAME window_screens
           COMMAND sh ${JOX_ROOT}/tests/window/run_screens_suite.sh $<TARGET_FILE:screens_app> $<TARGET_FILE:xprobe>)
  set_tests_properties(window_screens PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE)
else()
  add_test(NAME window_suite COMMAND sh -c "echo 'window suite: skipped, no Xlib to read the screen with'; exit 77")
endif()
# Alone: it measures the CPU the window uses.
set_tests_properties(window_suite PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE)
# The X11, D-Bus and GL libraries a real window loads keep allocations to their end, in modules unloaded
# before the leak check can name them; our own leaks are found by the headless tests.
if(JOX_SANITIZE)
  set_tests_properties(window_suite PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
  if(TEST window_screens)
    set_tests_properties(window_screens PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
  endif()
endif()
