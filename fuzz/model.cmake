# Fuzzing of the reading of the notes service's JSON bodies (clang's libFuzzer).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "fuzz/model.cmake: libFuzzer needs clang; fuzz_model_json not built")
  return()
endif()

# The response model again, instrumented for coverage and the sanitizers, over the instrumented
# utility library of fuzz/util.cmake.
get_target_property(_model_sources tarnwick_download_model SOURCES)
get_target_property(_model_dir tarnwick_download_model SOURCE_DIR)
list(TRANSFORM _model_sources PREPEND ${_model_dir}/)
add_library(tarnwick_download_model_fuzz STATIC ${_model_sources})
target_include_directories(tarnwick_download_model_fuzz PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tarnwick_download_model_fuzz PUBLIC tarnwick_util_fuzz PRIVATE rapidjson)
target_compile_options(tarnwick_download_model_fuzz PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                       -fno-sanitize-recover=undefined
                       -fsanitize-ignorelist=${CMAKE_CURRENT_SOURCE_DIR}/model_rapidjson.ignorelist)

add_executable(fuzz_model_json ${CMAKE_CURRENT_SOURCE_DIR}/model_json.cpp)
target_link_libraries(fuzz_model_json PRIVATE tarnwick_download_model_fuzz)
target_compile_options(fuzz_model_json PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_model_json PRIVATE -fsanitize=fuzzer,address,undefined)
