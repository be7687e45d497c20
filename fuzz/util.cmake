# Fuzzing of the utility library's helpers that take free text (clang's libFuzzer).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "fuzz/util.cmake: libFuzzer needs clang; fuzz_util_texto not built")
  return()
endif()

# The library again, instrumented for coverage and the sanitizers.
get_target_property(_util_sources tarnwick_util SOURCES)
get_target_property(_util_dir tarnwick_util SOURCE_DIR)
list(TRANSFORM _util_sources PREPEND ${_util_dir}/)
add_library(tarnwick_util_fuzz STATIC ${_util_sources})
target_include_directories(tarnwick_util_fuzz PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tarnwick_util_fuzz PUBLIC tarnwick_flags Qt6::Core)
target_compile_options(tarnwick_util_fuzz PUBLIC -fsanitize=fuzzer-no-link,address,undefined
                       -fno-sanitize-recover=undefined)
target_link_options(tarnwick_util_fuzz PUBLIC -fsanitize=address,undefined)

add_executable(fuzz_util_texto ${CMAKE_CURRENT_SOURCE_DIR}/util_texto.cpp)
target_link_libraries(fuzz_util_texto PRIVATE tarnwick_util_fuzz)
target_compile_options(fuzz_util_texto PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_util_texto PRIVATE -fsanitize=fuzzer,address,undefined)
