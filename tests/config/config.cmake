# The configuration file and the branch database. The Firebird suites create their own databases
# (embedded engine for local paths) and the server suite starts a private server on 127.0.0.1.
tarnwick_add_test(tst_config_ini SOURCES config/tst_ArquivoIni.cpp
  LIBS tarnwick_config tarnwick_log tarnwick_test_support)
tarnwick_add_test(tst_config_servidor SOURCES config/tst_ServidorFirebird.cpp config/BancoTeste.cpp
  LIBS tarnwick_config firebird tarnwick_test_support TIMEOUT 180)
target_compile_definitions(tst_config_servidor PRIVATE
  TARNWICK_SCRIPT_FIREBIRD="${PROJECT_SOURCE_DIR}/scripts/firebird-server.sh")
set_property(TEST tst_config_servidor APPEND PROPERTY ENVIRONMENT
  "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/config/lsan-firebird.supp")

# The suites below open local database files through the embedded engine, which the Windows client
# library built for the tests does not hold: they run on Linux, and under Wine the server suite above
# and the client library's own suite (tests/sistema) stand for them.
if(NOT WIN32)
  tarnwick_add_test(tst_config_filiais SOURCES config/tst_FiliaisEmbarcado.cpp config/BancoTeste.cpp
    LIBS tarnwick_config firebird)
  tarnwick_add_test(tst_config_controle SOURCES config/tst_ControleConfig.cpp config/BancoTeste.cpp
    LIBS tarnwick_config firebird)
  set_property(TEST tst_config_filiais tst_config_controle APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/config/lsan-firebird.supp")

  # A connection check in a process of its own (another user, a second program, no client library).
  add_executable(tst_config_auxiliar_conexao config/AuxiliarConexao.cpp)
  target_link_libraries(tst_config_auxiliar_conexao PRIVATE tarnwick_flags tarnwick_config)
  tarnwick_add_test(tst_config_cliente SOURCES config/tst_ClienteFirebird.cpp config/BancoTeste.cpp
    LIBS tarnwick_config firebird)
  add_dependencies(tst_config_cliente tst_config_auxiliar_conexao)
  target_compile_definitions(tst_config_cliente PRIVATE
    AUXILIAR_CONEXAO="$<TARGET_FILE:tst_config_auxiliar_conexao>")
  set_property(TEST tst_config_cliente APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/config/lsan-firebird.supp")

  # A local path to a file that a server on this machine holds: the suite takes a network namespace of
  # its own (root only; skipped otherwise) and starts private servers there, one on the standard port.
  tarnwick_add_test(tst_config_servidor_local SOURCES config/tst_ServidorLocal.cpp config/BancoTeste.cpp
    LIBS tarnwick_config firebird TIMEOUT 180)
  target_compile_definitions(tst_config_servidor_local PRIVATE
    TARNWICK_SCRIPT_FIREBIRD="${PROJECT_SOURCE_DIR}/scripts/firebird-server.sh")
  set_property(TEST tst_config_servidor_local APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/config/lsan-firebird.supp")
endif()
