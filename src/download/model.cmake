tarnwick_add_library(tarnwick_download_model
  ModelRecepcaoNF.cpp
  ModelCampos.cpp
  ModelConversao.cpp
  ModelLeitorJson.cpp
  ModelEscritorJson.cpp
  ModelUtf8.cpp
)
target_link_libraries(tarnwick_download_model PUBLIC tarnwick_util PRIVATE rapidjson)
target_link_libraries(tarnwick_download INTERFACE tarnwick_download_model)
