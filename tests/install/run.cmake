# Installs the build in BUILD_DIR into WORK_DIR/prefix, then configures and builds one example against that
# prefix in a separate project and runs it headless. Any failing step fails the test.
function(step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
step("installing" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# Nothing of the source tree may leak into the installed package.
file(GLOB_RECURSE configs ${prefix}/*.cmake)
foreach(f ${configs})
  file(READ ${f} text)
  string(FIND "${text}" "${SOURCE_DIR}/" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${f} names the source tree ${SOURCE_DIR}")
  endif()
endforeach()

step("configuring the application" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install -B ${WORK_DIR}/app
     -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER}
     -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DCMAKE_PREFIX_PATH=${prefix}
     -DEXAMPLE=${SOURCE_DIR}/examples/hello_form.cpp)
step("building the application" ${CMAKE_COMMAND} --build ${WORK_DIR}/app)
step("running the application" ${WORK_DIR}/app/app --out ${WORK_DIR}/hello.png)
if(NOT EXISTS ${WORK_DIR}/hello.png)
  message(FATAL_ERROR "the application wrote no picture")
endif()
message(STATUS "installed, built and ran an application against ${prefix}")
