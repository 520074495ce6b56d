# The tests: one executable per layer or unit group, so the whole library is linked a handful of times
# instead of once per test file. ctest lists every test by its own name (Suite.Case), each run in a process
# of its own, so a test cannot lean on what another left behind.
#
# A test file belongs to the group its name is listed under; every other tests/test_*.cpp goes to
# test_units. A file that needs a program of its own (it replaces operator new, or links more) is listed
# under JOX_TESTS_ALONE and gets an executable named after it.
enable_testing()
include(${JOX_ROOT}/tests/tmpcheck.cmake)
find_package(GTest REQUIRED)
include(GoogleTest)

set(JOX_TESTS_FRAMEWORK accessible backend buttons classes clipbrd combobox comctrls controls dialogs dispatch dropdownlist
    fonts forms hints keyaccess graphics grids imageio input layers memo menus modal msgbox raster runtime scaling
    screens scrolling stdctrls sysutils textengine treeview)
set(JOX_TESTS_CORE core_drawing core_text numerics numtext package paint_helpers stringarray)
set(JOX_TESTS_REPLIST rldata rldata_formats rldata_io replist_io reportlistview reportlistview_paint rowedit
    rowedit_datetime)
# test_rldata_alloc, test_formtext_alloc and test_load_alloc replace the global operator new; test_docs links
# the whole library and the page generator; test_snapshots draws the gallery's pages and is run by
# `make snapshots` on its own.
set(JOX_TESTS_ALONE rldata_alloc formtext_alloc load_alloc docs snapshots)

file(GLOB JOX_TEST_FILES CONFIGURE_DEPENDS ${JOX_ROOT}/tests/test_*.cpp)
file(GLOB JOX_TEST_SUPPORT CONFIGURE_DEPENDS ${JOX_ROOT}/tests/support/*.cpp)
add_library(jox_test_support STATIC ${JOX_TEST_SUPPORT})
target_link_libraries(jox_test_support PUBLIC joxwidgets GTest::gtest)
jox_options(jox_test_support)

function(jox_test_group name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE jox_test_support joxwidgets GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE JOX_SOURCE_DIR="${JOX_ROOT}")
  # Every test source starts with gtest and the framework; parsing them once saves most of a test's compile.
  # Named as the sources name it, through the include path, so the header guards see one file.
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h> <package/framework/framework.h>)
  jox_options(${name})
  gtest_discover_tests(${name} WORKING_DIRECTORY ${JOX_BIN} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ${JOX_TMPDIR_TEST_PROPERTIES})
endfunction()

set(framework_src)
set(core_src)
set(replist_src)
set(units_src)
foreach(src ${JOX_TEST_FILES})
  get_filename_component(file ${src} NAME_WE)
  string(REGEX REPLACE "^test_" "" stem ${file})
  if(stem IN_LIST JOX_TESTS_ALONE)
    jox_test_group(${file} ${src})
  elseif(stem IN_LIST JOX_TESTS_FRAMEWORK)
    list(APPEND framework_src ${src})
  elseif(stem IN_LIST JOX_TESTS_CORE)
    list(APPEND core_src ${src})
  elseif(stem IN_LIST JOX_TESTS_REPLIST)
    list(APPEND replist_src ${src})
  else()
    list(APPEND units_src ${src})
  endif()
endforeach()
jox_test_group(test_framework ${framework_src})
jox_test_group(test_core ${core_src})
jox_test_group(test_replist ${replist_src})
jox_test_group(test_units ${units_src})

if(TARGET jox_backend_sdl)
  target_link_libraries(test_framework PRIVATE jox_backend_sdl)
endif()
# The reference looks are the gallery's pages.
target_link_libraries(test_snapshots PRIVATE jox_gallery_pages)
# Every unit must register, not only those the test happens to use; the gallery's pages are drawn to check
# the tiled picture of docs/.
target_link_libraries(test_docs PRIVATE jox_docgen jox_gallery_pages)
target_link_options(test_docs PRIVATE "LINKER:--whole-archive" "$<TARGET_FILE:joxwidgets>" "LINKER:--no-whole-archive")

# The example of the README must keep building and painting.
if(TARGET example_hello_form)
  add_test(NAME example_hello_form COMMAND example_hello_form --out ${JOX_BIN}/hello_form.png)
endif()
# The guide's examples check what they show.
file(GLOB JOX_GUIDE_EXAMPLES CONFIGURE_DEPENDS ${JOX_ROOT}/examples/guide_*.cpp)
foreach(src ${JOX_GUIDE_EXAMPLES})
  get_filename_component(name ${src} NAME_WE)
  if(TARGET example_${name})
    add_test(NAME example_${name} COMMAND example_${name} WORKING_DIRECTORY ${JOX_BIN})
  endif()
endforeach()
