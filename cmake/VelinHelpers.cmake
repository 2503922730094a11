# velin_add_library(<target>
#     EXPORT_NAME <Name>        imported target becomes Velin::<Name>
#     HEADER_DIR <dir>          headers install to include/velin/<dir>
#     [UMBRELLA <Header>]       generated header that includes every public header
#     [PUBLIC_LIBS ...] [PRIVATE_LIBS ...] [DEFINE <MACRO>] [PKGCONFIG_DEPS "..."])
#
# Sources are every *.cpp of the calling directory; public headers every *.h
# that does not end in _p.h.  Files are globbed so that adding a class needs
# no edit here.
function(velin_add_library target)
    cmake_parse_arguments(ARG "" "EXPORT_NAME;HEADER_DIR;UMBRELLA;DEFINE;PKGCONFIG_DEPS" "PUBLIC_LIBS;PRIVATE_LIBS;EXTRA_SOURCES" ${ARGN})
    file(GLOB_RECURSE _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT _sources)
        message(STATUS "${target}: no sources yet, not built")
        return()
    endif()
    file(GLOB_RECURSE _headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(_public)
    foreach(h ${_headers})
        if(NOT h MATCHES "_p\\.h$")
            list(APPEND _public ${h})
        endif()
    endforeach()
    list(SORT _public)

    add_library(${target} SHARED ${_sources} ${_headers} ${ARG_EXTRA_SOURCES})
    add_library(Velin::${ARG_EXPORT_NAME} ALIAS ${target})
    set_target_properties(${target} PROPERTIES
        EXPORT_NAME ${ARG_EXPORT_NAME}
        VERSION ${VELINWLAN_VERSION}
        SOVERSION ${VELINWLAN_SOVERSION}
        # The libraries are installed side by side: each finds its siblings
        # without LD_LIBRARY_PATH, wherever the prefix is.
        INSTALL_RPATH "$ORIGIN"
        # Only what the export macros mark is the library's interface.
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    if(ARG_DEFINE)
        target_compile_definitions(${target} PRIVATE ${ARG_DEFINE})
    endif()
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})

    # The umbrella header includes every public header by its path below
    # include/velin, the same path the headers use for one another.
    get_filename_component(_parent ${CMAKE_CURRENT_SOURCE_DIR} DIRECTORY)
    if(NOT ARG_UMBRELLA)
        set(ARG_UMBRELLA "")
    endif()
    set(_content "// Generated: includes every public header of ${target}.\n#pragma once\n")
    foreach(h ${_public})
        file(RELATIVE_PATH _rel ${_parent} ${h})
        string(APPEND _content "#include \"${_rel}\"\n")
    endforeach()
    if(ARG_UMBRELLA)
        set(_umbrella ${PROJECT_BINARY_DIR}/include/${ARG_UMBRELLA})
        file(GENERATE OUTPUT ${_umbrella} CONTENT "${_content}")
        install(FILES ${_umbrella} DESTINATION ${VELIN_INCLUDE_INSTALL_DIR})
    endif()

    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${_parent}>
        $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/include>
        $<INSTALL_INTERFACE:${VELIN_INCLUDE_INSTALL_DIR}>)

    install(TARGETS ${target} EXPORT VelinWlanTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    foreach(h ${_public})
        file(RELATIVE_PATH _rel ${_parent} ${h})
        get_filename_component(_reldir ${_rel} DIRECTORY)
        install(FILES ${h} DESTINATION ${VELIN_INCLUDE_INSTALL_DIR}/${_reldir})
    endforeach()

    # The .pc file locates the prefix from its own folder, so the installed
    # package can be moved (or installed with any --prefix) and stay right.
    file(RELATIVE_PATH _pc_to_prefix "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
    string(REGEX REPLACE "/$" "" _pc_to_prefix "${_pc_to_prefix}")
    set(PC_PREFIX "\${pcfiledir}/${_pc_to_prefix}")
    set(PC_NAME ${target})
    set(PC_DESCRIPTION "${target}, part of the Velin WLAN user interface")
    set(PC_REQUIRES "${ARG_PKGCONFIG_DEPS}")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/velin.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.pc @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${target}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()

# velin_path_from_bin(<var> <install dir>): <install dir> (below the prefix)
# as seen from the installed programs' folder, so that an installed program
# finds its files wherever the package was installed or moved to.
function(velin_path_from_bin var dir)
    file(RELATIVE_PATH _rel "/${CMAKE_INSTALL_BINDIR}" "/${dir}")
    set(${var} "${_rel}" PARENT_SCOPE)
endfunction()

# velin_install_program(<target>): installs a program into bin/ with a
# RUNPATH that finds the package's libraries beside it.
function(velin_install_program target)
    velin_path_from_bin(_libs ${CMAKE_INSTALL_LIBDIR})
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${_libs}")
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
