# The main window: its branch table, message dialogs, layout, keys, grid and filter fields.
tarnwick_add_test(app_filiaismodel SOURCES app/tst_filiaismodel.cpp LIBS tarnwick_filiais)
tarnwick_add_test(app_mensagens SOURCES app/tst_mensagens.cpp LIBS tarnwick_gui)
tarnwick_add_test(app_telas SOURCES app/tst_telas.cpp LIBS tarnwick_gui)
tarnwick_add_test(app_janela SOURCES app/tst_janela.cpp LIBS tarnwick_gui)
tarnwick_add_test(app_grade SOURCES app/tst_grade.cpp LIBS tarnwick_gui)
tarnwick_add_test(app_filtros SOURCES app/tst_filtros.cpp LIBS tarnwick_gui)
# The toolkit's own pickers and edit menus in Portuguese.
tarnwick_add_test(app_portugues SOURCES app/tst_portugues.cpp LIBS tarnwick_gui)
# Every status text shown whole in its panel.
tarnwick_add_test(app_statusbar SOURCES app/tst_statusbar.cpp LIBS tarnwick_gui)
# The order of the question's buttons on every desktop; the summary box within the screen.
tarnwick_add_test(app_dialogos SOURCES app/tst_dialogos.cpp LIBS tarnwick_gui)
# The branch grid and the push buttons under the mouse and the keys.
tarnwick_add_test(app_teclas SOURCES app/tst_teclas.cpp LIBS tarnwick_gui)
