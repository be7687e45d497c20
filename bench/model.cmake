# bench_model_parse: reading of a notes page (100 notes of 20 KB XML) by the response model, beside a
# bare RapidJSON SAX pass over the same bytes. Prints MB/s and the ratio; not a test.
add_executable(bench_model_parse ${CMAKE_CURRENT_SOURCE_DIR}/model_parse.cpp)
target_link_libraries(bench_model_parse PRIVATE tarnwick_flags tarnwick_download_model rapidjson)

# The bare passes, one object library per flag set: the model's flags, the flags the model used while
# RapidJSON checked the encoding, and the model's flags without the iterative reader.
set(_nua_NuaModelo "TLeitorJson::FLAGS")
set(_nua_NuaAnterior "TLeitorJson::FLAGS|rapidjson::kParseValidateEncodingFlag")
set(_nua_NuaRecursiva "TLeitorJson::FLAGS&~unsigned(rapidjson::kParseIterativeFlag)")
foreach(_nome NuaModelo NuaAnterior NuaRecursiva)
  add_library(bench_model_${_nome} OBJECT ${CMAKE_CURRENT_SOURCE_DIR}/model_parse_nua.cpp)
  target_compile_definitions(bench_model_${_nome} PRIVATE NUA_NOME=${_nome} "NUA_FLAGS=${_nua_${_nome}}")
  target_link_libraries(bench_model_${_nome} PRIVATE tarnwick_flags tarnwick_download_model rapidjson)
  target_link_libraries(bench_model_parse PRIVATE bench_model_${_nome})
endforeach()
