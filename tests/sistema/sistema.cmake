# The platform layer, one program per group of facilities. They compile for every system the layer
# does; a case that only one system can show says so and is skipped elsewhere.
tarnwick_add_test(tst_sistema_arquivos SOURCES sistema/tst_Arquivos.cpp
  LIBS tarnwick_sistema tarnwick_test_support)
tarnwick_add_test(tst_sistema_pastas SOURCES sistema/tst_Pastas.cpp LIBS tarnwick_sistema)
tarnwick_add_test(tst_sistema_threads SOURCES sistema/tst_Threads.cpp LIBS tarnwick_sistema)
# The running program's mark and the folder of an installation for all users (Windows).
tarnwick_add_test(tst_sistema_instalacao SOURCES sistema/tst_Instalacao.cpp LIBS tarnwick_sistema)

# The Firebird client: where it is looked for, why a candidate is refused, the connection's message when
# none can be used; on Windows, a program of its own among planted DLLs that must never load.
# The fixture libraries live in a folder of their own, away from the test programs: a library beside a
# program is one the system finds for it.
set(_bibliotecas ${CMAKE_CURRENT_BINARY_DIR}/bibliotecas-teste)
foreach(_fixture Dependencia Dependente Marcador)
  string(TOLOWER "tst_sistema_${_fixture}" _alvo)
  add_library(${_alvo} SHARED sistema/bibliotecas/${_fixture}.cpp)
  set_target_properties(${_alvo} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${_bibliotecas}
    RUNTIME_OUTPUT_DIRECTORY ${_bibliotecas} SKIP_BUILD_RPATH ON)
endforeach()
target_link_libraries(tst_sistema_dependente PRIVATE tst_sistema_dependencia)
add_executable(tst_sistema_auxiliar_cliente sistema/AuxiliarCliente.cpp)
target_link_libraries(tst_sistema_auxiliar_cliente PRIVATE tarnwick_flags tarnwick_sistema tarnwick_config
  tarnwick_log)
tarnwick_add_test(tst_sistema_biblioteca SOURCES sistema/tst_Biblioteca.cpp
  LIBS tarnwick_sistema tarnwick_config tarnwick_log)
add_dependencies(tst_sistema_biblioteca tst_sistema_dependente tst_sistema_marcador
  tst_sistema_auxiliar_cliente)
target_compile_definitions(tst_sistema_biblioteca PRIVATE
  BIBLIOTECA_DEPENDENCIA="$<TARGET_FILE:tst_sistema_dependencia>"
  BIBLIOTECA_DEPENDENTE="$<TARGET_FILE:tst_sistema_dependente>"
  BIBLIOTECA_MARCADOR="$<TARGET_FILE:tst_sistema_marcador>"
  AUXILIAR_CLIENTE="$<TARGET_FILE:tst_sistema_auxiliar_cliente>"
  FBCLIENT_WINDOWS="${TARNWICK_FBCLIENT_TESTES}")
set_property(TEST tst_sistema_biblioteca APPEND PROPERTY ENVIRONMENT
  "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/config/lsan-firebird.supp")

# The system's request to end, sent to a program of its own.
add_executable(tst_sistema_auxiliar_termino sistema/AuxiliarTermino.cpp)
target_link_libraries(tst_sistema_auxiliar_termino PRIVATE tarnwick_flags tarnwick_sistema)
if(WIN32)
  target_link_libraries(tst_sistema_auxiliar_termino PRIVATE Qt6::Gui)
endif()
tarnwick_add_test(tst_sistema_termino SOURCES sistema/tst_Termino.cpp LIBS tarnwick_sistema)
add_dependencies(tst_sistema_termino tst_sistema_auxiliar_termino)
target_compile_definitions(tst_sistema_termino PRIVATE
  AUXILIAR_TERMINO="$<TARGET_FILE:tst_sistema_auxiliar_termino>")
