# The accessibility suite (tests/access/): the gallery under Xvfb on a private session bus with the
# AT-SPI registry, read and driven over the bus by a pyatspi script. Needs the tests, the gallery and the
# bridge (ATK found); it skips (exit 77), saying why, where the bus or X cannot start.
if(NOT JOX_BUILD_TESTS OR NOT TARGET joxwidgets-gallery OR NOT TARGET jox_backend_sdl)
  return()
endif()
if(JOX_ATK_FOUND)
  add_test(NAME access_suite
           COMMAND sh ${JOX_ROOT}/tests/access/run_access_suite.sh $<TARGET_FILE:joxwidgets-gallery>
                   ${JOX_ROOT}/tests/access/walk_gallery.py)
else()
  add_test(NAME access_suite COMMAND sh -c "echo 'accessibility suite: skipped, built without ATK'; exit 77")
endif()
# Alone: it measures the CPU the idle window uses.
set_tests_properties(access_suite PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 RUN_SERIAL TRUE)
if(JOX_SANITIZE)
  # The sanitized build spends several times the CPU on the same idle loop; the 1% holds for the real one.
  set_tests_properties(access_suite PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0;JOX_IDLE_CPU_MAX=5")
endif()
