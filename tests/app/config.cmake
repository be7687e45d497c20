# The settings page and the start-up flow of the window, on databases of the embedded engine made in a
# temporary working directory (Linux only: the Windows test client holds no embedded engine).
if(NOT WIN32)
  tarnwick_add_test(app_config SOURCES app/tst_config.cpp config/BancoTeste.cpp LIBS tarnwick_gui firebird)
  set_property(TEST app_config APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/config/lsan-firebird.supp")
endif()
# The same start-up on a machine without the Firebird client library.
tarnwick_add_test(app_config_sem_cliente SOURCES app/tst_config_sem_cliente.cpp LIBS tarnwick_gui)
