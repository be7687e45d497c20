# The platform layer, one program per group of facilities. They compile for every system the layer
# does; a case that only one system can show says so and is skipped elsewhere.
tarnwick_add_test(tst_sistema_arquivos SOURCES sistema/tst_Arquivos.cpp LIBS tarnwick_sistema)
tarnwick_add_test(tst_sistema_pastas SOURCES sistema/tst_Pastas.cpp LIBS tarnwick_sistema)
tarnwick_add_test(tst_sistema_threads SOURCES sistema/tst_Threads.cpp LIBS tarnwick_sistema)

# The Firebird client's names and the connection's message when none loads.
tarnwick_add_test(tst_sistema_biblioteca SOURCES sistema/tst_Biblioteca.cpp
  LIBS tarnwick_sistema tarnwick_config)
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
