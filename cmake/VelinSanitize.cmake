# VELIN_SANITIZE=ON builds every target with AddressSanitizer and
# UndefinedBehaviorSanitizer; any finding ends the process with an error.
# VELIN_FUZZ=ON (clang only) builds the targets in tests/fuzz as libFuzzer
# programs; it implies VELIN_SANITIZE and adds coverage to every library so
# that the fuzzer sees into them.
#
# Executables get the runtime options and the leak suppressions for system
# libraries compiled in (cmake/sanitizerdefaults.cpp), so that CTest and a
# plain run behave alike; ASAN_OPTIONS, UBSAN_OPTIONS and LSAN_OPTIONS in the
# environment still add to them.
option(VELIN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VELIN_FUZZ "Build the fuzz targets in tests/fuzz with libFuzzer (clang)" OFF)

if(VELIN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "VELIN_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
    endif()
    set(VELIN_SANITIZE ON CACHE BOOL "" FORCE)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(VELIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)

    add_library(velinsanitizerdefaults OBJECT ${CMAKE_CURRENT_LIST_DIR}/sanitizerdefaults.cpp)
    target_compile_definitions(velinsanitizerdefaults PRIVATE
        VELIN_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/fuzz/lsan.supp"
        VELIN_UBSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/fuzz/ubsan.supp")
    # Every executable made after this point, in every directory; kept out
    # of the installed package, whose consumers have no such object.
    link_libraries("$<BUILD_INTERFACE:$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:$<TARGET_OBJECTS:velinsanitizerdefaults>>>")
endif()
