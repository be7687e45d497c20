# The main window: its branch table, message dialogs, layout, keys, grid and filter fields.
tarnwick_add_test(app_filiaismodel SOURCES app/tst_filiaismodel.cpp LIBS tarnwick_filiais)
tarnwick_add_test(app_mensagens SOURCES app/tst_mensagens.cpp LIBS tarnwick_gui)
tarnwick_add_test(app_telas SOURCES app/tst_telas.cpp LIBS tarnwick_gui)
tarnwick_add_test(app_janela SOURCES app/tst_janela.cpp LIBS tarnwick_gui)
tarnwick_add_test(app_grade SOURCES app/tst_grade.cpp LIBS tarnwick_gui)
tarnwick_add_test(app_filtros SOURCES app/tst_filtros.cpp LIBS tarnwick_gui)
# The toolkit's own pickers (their file lists too) and edit menus in Portuguese; where the pickers open.
tarnwick_add_test(app_portugues SOURCES app/tst_portugues.cpp LIBS tarnwick_gui)
# Every status text shown whole in its panel.
tarnwick_add_test(app_statusbar SOURCES app/tst_statusbar.cpp LIBS tarnwick_gui)
# The order of the question's buttons on every desktop; the summary box within the screen.
tarnwick_add_test(app_dialogos SOURCES app/tst_dialogos.cpp LIBS tarnwick_gui)
# The paths the user sees, as the system writes them.
tarnwick_add_test(app_caminhos SOURCES app/tst_caminhos.cpp LIBS tarnwick_gui)
# The branch grid and the push buttons under the mouse and the keys.
tarnwick_add_test(app_teclas SOURCES app/tst_teclas.cpp LIBS tarnwick_gui)
if(NOT WIN32)
  # SIGINT, SIGTERM and SIGHUP sent to the real program: the executable itself, and the program driven
  # into a download run (app_programa_conduzido), against the stand-in of the notes service.
  add_executable(app_programa_conduzido app/ProgramaConduzido.cpp)
  target_link_libraries(app_programa_conduzido PRIVATE tarnwick_flags tarnwick_gui)
  tarnwick_add_test(app_sinais SOURCES app/tst_sinais.cpp config/BancoTeste.cpp
    LIBS tarnwick_core tarnwick_test_support firebird Qt6::Core TIMEOUT 300)
  add_dependencies(app_sinais tarnwick app_programa_conduzido notes-service)
  target_compile_definitions(app_sinais PRIVATE
    PROGRAMA="$<TARGET_FILE:tarnwick>" PROGRAMA_CONDUZIDO="$<TARGET_FILE:app_programa_conduzido>")
  set_property(TEST app_sinais APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/config/lsan-firebird.supp"
    "FIREBIRD_LOCK=${CMAKE_CURRENT_BINARY_DIR}/firebird-lock")
  # The demo's set-up from a folder with an accented name.
  tarnwick_add_test(app_demo SOURCES app/tst_demo.cpp LIBS tarnwick_core firebird TIMEOUT 300)
  add_dependencies(app_demo notes-service)
  target_compile_definitions(app_demo PRIVATE FONTES="${PROJECT_SOURCE_DIR}" BUILD="${PROJECT_BINARY_DIR}")
  set_property(TEST app_demo APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/config/lsan-firebird.supp"
    "FIREBIRD_LOCK=${CMAKE_CURRENT_BINARY_DIR}/firebird-lock")
endif()
if(WIN32)
  # A scaled Windows display (125 %, 150 %, 200 %): the layout keeps its units and every caption and
  # status text stays whole in the fonts as drawn at that scale.
  foreach(_escala 1.25 1.5 2)
    add_test(NAME app_janela_escala_${_escala} COMMAND app_janela janela captionsCabem)
    add_test(NAME app_statusbar_escala_${_escala} COMMAND app_statusbar)
    set_tests_properties(app_janela_escala_${_escala} app_statusbar_escala_${_escala} PROPERTIES
      ENVIRONMENT "WINEQT_SCALE_FACTOR=${_escala}" TIMEOUT 300)
  endforeach()
endif()
