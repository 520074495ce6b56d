# The tests' temporary folder. Every test runs with TMPDIR pointing at <build>/test-tmp, which a first
# test empties and a last one checks: it fails, naming them, when files or folders were left there.
# Included from the tests' section of CMakeLists.txt; it applies to every test the directory adds
# (at the end of it). Tests registered at test time (gtest_discover_tests) take the same settings
# with PROPERTIES ${JOX_TMPDIR_TEST_PROPERTIES}.
#
# Run as a script (cmake -DDIR=... -DMODE=prepare|check -P tmpcheck.cmake) it does the two ends.

if(CMAKE_SCRIPT_MODE_FILE)
  get_filename_component(DIR ${DIR} ABSOLUTE)
  if(MODE STREQUAL "prepare")
    file(REMOVE_RECURSE ${DIR})
    file(MAKE_DIRECTORY ${DIR})
  else()
    file(GLOB left RELATIVE ${DIR} LIST_DIRECTORIES true ${DIR}/* ${DIR}/.*)
    list(REMOVE_ITEM left . ..)
    if(left)
      list(JOIN left ", " names)
      message(FATAL_ERROR "tests left in ${DIR}: ${names}")
    endif()
  endif()
  return()
endif()

set(JOX_TMPDIR ${JOX_BIN}/test-tmp)
set(JOX_TMPDIR_TEST_PROPERTIES ENVIRONMENT TMPDIR=${JOX_TMPDIR} FIXTURES_REQUIRED jox_tmpdir)
add_test(NAME tmpdir_prepare COMMAND ${CMAKE_COMMAND} -DDIR=${JOX_TMPDIR} -DMODE=prepare
         -P ${CMAKE_CURRENT_LIST_FILE})
add_test(NAME tmpdir_left_empty COMMAND ${CMAKE_COMMAND} -DDIR=${JOX_TMPDIR} -DMODE=check
         -P ${CMAKE_CURRENT_LIST_FILE})
set_tests_properties(tmpdir_prepare PROPERTIES FIXTURES_SETUP jox_tmpdir)
set_tests_properties(tmpdir_left_empty PROPERTIES FIXTURES_CLEANUP jox_tmpdir)

function(jox_tmpdir_apply)
  get_property(tests DIRECTORY PROPERTY TESTS)
  list(REMOVE_ITEM tests tmpdir_prepare tmpdir_left_empty)
  if(tests)
    set_property(TEST ${tests} APPEND PROPERTY ENVIRONMENT TMPDIR=${JOX_TMPDIR})
    set_property(TEST ${tests} APPEND PROPERTY FIXTURES_REQUIRED jox_tmpdir)
  endif()
endfunction()
cmake_language(DEFER CALL jox_tmpdir_apply)
