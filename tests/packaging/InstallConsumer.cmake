# Run by CTest: install, configure and build the consumer, run it, and check
# the pkg-config files.
file(REMOVE_RECURSE ${WORK_DIR})
set(PREFIX ${WORK_DIR}/prefix)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "Failed (${rc}): ${ARGN}\n${out}\n${err}")
    endif()
    set(LAST_OUTPUT "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${PREFIX})
run(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${PREFIX} -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build -j2)
run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LD_LIBRARY_PATH=${PREFIX}/lib
    ${WORK_DIR}/build/velin-consumer)
message(STATUS "${LAST_OUTPUT}")

find_program(PKG_CONFIG pkg-config REQUIRED)
file(GLOB_RECURSE _pcs ${PREFIX}/*.pc)
if(NOT _pcs)
    message(FATAL_ERROR "no pkg-config files installed")
endif()
list(GET _pcs 0 _firstpc)
get_filename_component(_pcdir "${_firstpc}" DIRECTORY)
foreach(module velintouch velinbase velinnet velinwlanui soundcue)
    run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${_pcdir} ${PKG_CONFIG} --cflags --libs ${module})
    if(NOT LAST_OUTPUT MATCHES "-l${module}")
        message(FATAL_ERROR "pkg-config ${module} gives no -l${module}: ${LAST_OUTPUT}")
    endif()
endforeach()
