tarnwick_add_library(tarnwick_download_client
  ServiceRecepcaoNF.cpp
  ServiceConexaoHTTP.cpp
  ServiceHost.cpp
  HttpCliente.cpp
  HttpCodificacao.cpp
)
target_compile_definitions(tarnwick_download_client PRIVATE
  TARNWICK_NOTES_HOST_DEFAULT="${TARNWICK_NOTES_HOST_DEFAULT}")
target_link_libraries(tarnwick_download_client PUBLIC tarnwick_download_model tarnwick_log tarnwick_util
  PRIVATE tarnwick_config CURL::libcurl)
target_link_libraries(tarnwick_download INTERFACE tarnwick_download_client)
