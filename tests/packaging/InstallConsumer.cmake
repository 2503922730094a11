# Run by CTest: install into a fresh prefix and use the package there as a
# new user would, with nothing from the build tree on any search path.
file(REMOVE_RECURSE ${WORK_DIR})
set(PREFIX ${WORK_DIR}/prefix)
# Every program below runs without the build tree's search paths.
set(CLEAN_ENV ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH --unset=VELIN_PLUGIN_PATH --unset=VELIN_DATA_DIR
    --unset=VELIN_QM_DIR QT_QPA_PLATFORM=offscreen)
if(CONSUMER_FLAGS)
    # The consumer has no suppressions of its own for the system libraries' leaks.
    list(APPEND CLEAN_ENV LSAN_OPTIONS=suppressions=${LSAN_SUPPRESSIONS})
endif()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "Failed (${rc}): ${ARGN}\n${out}\n${err}")
    endif()
    set(LAST_OUTPUT "${out}" PARENT_SCOPE)
    set(LAST_ERROR "${err}" PARENT_SCOPE)
endfunction()

# A path given by the package must lie inside the prefix (after resolving
# the ".." of relocatable forms) and exist.
function(expect_in_prefix what path)
    get_filename_component(_real "${path}" REALPATH)
    get_filename_component(_prefix "${PREFIX}" REALPATH)
    string(FIND "${_real}/" "${_prefix}/" _at)
    if(NOT _at EQUAL 0 OR NOT EXISTS "${_real}")
        message(FATAL_ERROR "${what}: ${path} is not an existing path below ${PREFIX}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${PREFIX})

# Libraries, plug-in and programs find the package's libraries by RUNPATH.
file(GLOB _libs ${PREFIX}/${LIBDIR}/*.so.*.*)
file(GLOB _programs ${PREFIX}/${BINDIR}/*)
file(GLOB_RECURSE _plugins ${PREFIX}/${PLUGINDIR}/*.so)
list(LENGTH _libs _nlibs)
if(NOT _nlibs EQUAL 5 OR NOT _plugins OR NOT _programs)
    message(FATAL_ERROR "installed: libraries ${_libs}, plug-ins ${_plugins}, programs ${_programs}")
endif()
foreach(binary ${_libs} ${_plugins} ${_programs})
    run(readelf -d ${binary})
    if(NOT LAST_OUTPUT MATCHES "\\(RUNPATH\\)[^\n]*\\[\\$ORIGIN[^\n]*\\]")
        message(FATAL_ERROR "${binary} has no RUNPATH relative to itself:\n${LAST_OUTPUT}")
    endif()
    run(${CLEAN_ENV} ldd ${binary})
    if(LAST_OUTPUT MATCHES "not found")
        message(FATAL_ERROR "${binary} misses libraries:\n${LAST_OUTPUT}")
    endif()
    foreach(lib velintouch velinbase velinnet velinwlanui soundcue)
        if(LAST_OUTPUT MATCHES "lib${lib}\\.so[^\n]*=> ([^ \n]+)")
            expect_in_prefix("${binary} loads lib${lib}" "${CMAKE_MATCH_1}")
        endif()
    endforeach()
endforeach()

# A consumer that links only the UI library starts without LD_LIBRARY_PATH.
run(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${PREFIX} -DCMAKE_BUILD_TYPE=Release
    "-DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build -j2)
run(${CLEAN_ENV} ${WORK_DIR}/build/velin-consumer)
message(STATUS "${LAST_OUTPUT}")

# pkg-config files follow the prefix and carry no foreign fields.
find_program(PKG_CONFIG pkg-config REQUIRED)
set(_pcdir ${PREFIX}/${LIBDIR}/pkgconfig)
foreach(module velintouch velinbase velinnet velinwlanui soundcue)
    file(READ ${_pcdir}/${module}.pc _pc)
    if(_pc MATCHES "URL:" OR _pc MATCHES "/usr/local")
        message(FATAL_ERROR "${module}.pc names a foreign place:\n${_pc}")
    endif()
    run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${_pcdir} ${PKG_CONFIG} --variable=prefix ${module})
    string(STRIP "${LAST_OUTPUT}" _pcprefix)
    get_filename_component(_pcprefix "${_pcprefix}" REALPATH)
    get_filename_component(_realprefix "${PREFIX}" REALPATH)
    if(NOT _pcprefix STREQUAL _realprefix)
        message(FATAL_ERROR "${module}.pc: prefix ${_pcprefix}, installed in ${_realprefix}")
    endif()
    run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${_pcdir} ${PKG_CONFIG} --cflags --libs ${module})
    if(NOT LAST_OUTPUT MATCHES "-l${module}( |\n|$)")
        message(FATAL_ERROR "pkg-config ${module} gives no -l${module}: ${LAST_OUTPUT}")
    endif()
    # The package's own include and library folders, as opposed to Qt's.
    string(REGEX MATCHALL "-[IL][^ \n]*velin[^ \n]*|-L[^ \n]*prefix[^ \n]*" _paths "${LAST_OUTPUT}")
    list(LENGTH _paths _npaths)
    if(_npaths LESS 2)
        message(FATAL_ERROR "pkg-config ${module}: no include and library folder of the package: ${LAST_OUTPUT}")
    endif()
    foreach(flag ${_paths})
        string(SUBSTRING "${flag}" 2 -1 _path)
        expect_in_prefix("pkg-config ${module} ${flag}" "${_path}")
    endforeach()
endforeach()
if(NOT EXISTS ${PREFIX}/${INCLUDEDIR}/wlanui)
    message(FATAL_ERROR "no public headers below ${PREFIX}/${INCLUDEDIR}")
endif()

# The installed settings-store profile reads the installed catalogue.
set(_profile ${PREFIX}/${DATADIR}/dconf/profile)
file(STRINGS ${_profile} _filedb REGEX "^file-db:")
string(REPLACE "file-db:" "" _filedb "${_filedb}")
expect_in_prefix("dconf profile" "${_filedb}")
run(${CMAKE_COMMAND} -E env DCONF_PROFILE=${_profile} XDG_CONFIG_HOME=${WORK_DIR}/config
    dconf read /system/ravo/connectivity/ui/wpaeap/type/1_TLS/value)
if(NOT LAST_OUTPUT MATCHES "^13")
    message(FATAL_ERROR "the installed profile does not read the catalogue: '${LAST_OUTPUT}'")
endif()

# The installed host loads the installed plug-in, not the one in the build
# tree (Qt reports each plug-in file it loads).
run(${CLEAN_ENV} QT_DEBUG_PLUGINS=1 XDG_CONFIG_HOME=${WORK_DIR}/config
    ${PREFIX}/${BINDIR}/velin-demo --tour ${WORK_DIR}/tour)
string(REGEX MATCHALL "[^\"\n ]*libvelinwlantype\\.so" _loaded "${LAST_OUTPUT}${LAST_ERROR}")
if(NOT _loaded)
    message(FATAL_ERROR "velin-demo loaded no plug-in:\n${LAST_ERROR}")
endif()
foreach(path ${_loaded})
    expect_in_prefix("velin-demo's plug-in" "${path}")
endforeach()
file(GLOB _shots ${WORK_DIR}/tour/*.png)
if(NOT _shots)
    message(FATAL_ERROR "the installed velin-demo wrote no screens")
endif()
