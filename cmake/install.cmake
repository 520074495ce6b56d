# `cmake --install`: the headers under include/joxwidgets (their paths kept, as the sources include them),
# the static libraries, and a CMake package: find_package(joxwidgets [COMPONENTS SDL]) gives
# joxwidgets::joxwidgets, and with the SDL component joxwidgets::jox_backend_sdl.
# Inside another project (add_subdirectory) the parent decides what it installs.
option(JOX_INSTALL "Install the headers, libraries and CMake package" ${_jox_top})
if(NOT JOX_INSTALL)
  return()
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(JOX_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/joxwidgets)
set(JOX_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/joxwidgets)

target_include_directories(jox_base INTERFACE $<INSTALL_INTERFACE:${JOX_INSTALL_INCLUDEDIR}>)

foreach(dir package ${JOX_UNITS})
  if(EXISTS ${JOX_ROOT}/${dir})
    install(DIRECTORY ${JOX_ROOT}/${dir}/ DESTINATION ${JOX_INSTALL_INCLUDEDIR}/${dir}
            FILES_MATCHING PATTERN "*.h" PATTERN "*_internal.h" EXCLUDE)
  endif()
endforeach()

install(TARGETS jox_base jox_graphics jox_controls jox_framework jox_core jox_numerics joxwidgets
        EXPORT joxwidgetsTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT joxwidgetsTargets NAMESPACE joxwidgets:: DESTINATION ${JOX_INSTALL_CMAKEDIR})
if(TARGET jox_backend_sdl)
  install(TARGETS jox_backend_sdl EXPORT joxwidgetsSDLTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT joxwidgetsSDLTargets NAMESPACE joxwidgets:: DESTINATION ${JOX_INSTALL_CMAKEDIR})
endif()

configure_package_config_file(${JOX_ROOT}/cmake/joxwidgetsConfig.cmake.in
                              ${JOX_BIN}/joxwidgetsConfig.cmake INSTALL_DESTINATION ${JOX_INSTALL_CMAKEDIR})
write_basic_package_version_file(${JOX_BIN}/joxwidgetsConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${JOX_BIN}/joxwidgetsConfig.cmake ${JOX_BIN}/joxwidgetsConfigVersion.cmake
        DESTINATION ${JOX_INSTALL_CMAKEDIR})

# The install test: installs into a scratch prefix and builds an example against the installed package in a
# project of its own, so the package cannot rot unnoticed.
if(JOX_BUILD_TESTS AND TARGET example_hello_form)
  add_test(NAME install_package
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${JOX_BIN} -DSOURCE_DIR=${JOX_ROOT}
                   -DWORK_DIR=${JOX_BIN}/install-test -DGENERATOR=${CMAKE_GENERATOR}
                   -DCXX=${CMAKE_CXX_COMPILER} -DLAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
                   -DBUILD_TYPE=${CMAKE_BUILD_TYPE} -P ${JOX_ROOT}/tests/install/run.cmake)
endif()
