# Installs the app tree into a fresh prefix, builds the consumer project against it with the
# same toolchain, and runs both of its programs under Wine.
#   -DAPP_TREE= -DPREFIX= -DSOURCE_DIR= -DTOOLCHAIN= -DPROCESSOR= -DWINE_RUN=
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed with ${status}: ${ARGN}")
  endif()
endfunction()

file(REMOVE_RECURSE ${PREFIX})
run(${CMAKE_COMMAND} --install ${APP_TREE} --prefix ${PREFIX}/install)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${PREFIX}/build -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DTAVRIN_PROCESSOR=${PROCESSOR}
    -DTAVRIN_THREAD_MODEL=win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${PREFIX}/install)
run(${CMAKE_COMMAND} --build ${PREFIX}/build)
run(${WINE_RUN} ${PREFIX}/build/consumer_c.exe)
run(${WINE_RUN} ${PREFIX}/build/consumer_cpp.exe)
