# Whole download runs against the local stand-in of the notes service.
tarnwick_add_test(tst_download_run SOURCES download/run/tst_Download.cpp
  LIBS tarnwick_download_run tarnwick_test_support TIMEOUT 300)

# 70,000 notes in one step: the archive past 65,535 entries, checked by unzip, 7z and Python.
tarnwick_add_test(tst_download_run_volume SOURCES download/run/tst_Volume.cpp
  LIBS tarnwick_download_run tarnwick_test_support TIMEOUT 900)

# A step as it streams: paging, the archive published or left out, retries, stop and abandonment.
tarnwick_add_test(tst_download_run_fluxo SOURCES download/run/tst_Fluxo.cpp
  LIBS tarnwick_download_run tarnwick_test_support TIMEOUT 300)

# A branch with an alphanumeric CNPJ, from a real branch table (embedded engine, so Linux only) to its
# archives.
if(NOT WIN32)
  tarnwick_add_test(tst_download_cnpj_alfanumerico
    SOURCES download/run/tst_CnpjAlfanumerico.cpp config/BancoTeste.cpp
    LIBS tarnwick_download_run tarnwick_config firebird tarnwick_test_support)
  set_property(TEST tst_download_cnpj_alfanumerico APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/config/lsan-firebird.supp")
endif()

# Two programs running the same step into the same folder at the same time.
add_executable(tst_download_auxiliar_passo download/run/AuxiliarPasso.cpp)
target_include_directories(tst_download_auxiliar_passo PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tst_download_auxiliar_passo PRIVATE tarnwick_flags tarnwick_download_run)
tarnwick_add_test(tst_download_run_dois_programas SOURCES download/run/tst_DoisProgramas.cpp
  LIBS tarnwick_test_support)
add_dependencies(tst_download_run_dois_programas tst_download_auxiliar_passo)
target_compile_definitions(tst_download_run_dois_programas PRIVATE
  AUXILIAR_PASSO="$<TARGET_FILE:tst_download_auxiliar_passo>")
