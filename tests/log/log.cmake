# The daily log file.
tarnwick_add_test(tst_log_arquivo SOURCES log/tst_LogArquivo.cpp LIBS tarnwick_log tarnwick_sistema)

# A program without a QCoreApplication that ends with the log still alive (run by tst_log_arquivo).
add_executable(tst_log_auxiliar_saida log/AuxiliarSaida.cpp)
target_link_libraries(tst_log_auxiliar_saida PRIVATE tarnwick_flags tarnwick_log)
add_dependencies(tst_log_arquivo tst_log_auxiliar_saida)
target_compile_definitions(tst_log_arquivo PRIVATE
  LOG_AUXILIAR_SAIDA="$<TARGET_FILE:tst_log_auxiliar_saida>")
