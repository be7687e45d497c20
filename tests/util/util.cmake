# The general utility library, one program per theme.
tarnwick_add_test(tst_util_preenchimento SOURCES util/tst_Preenchimento.cpp LIBS tarnwick_util)
tarnwick_add_test(tst_util_texto SOURCES util/tst_Texto.cpp LIBS tarnwick_util)
tarnwick_add_test(tst_util_documento SOURCES util/tst_Documento.cpp LIBS tarnwick_util)
tarnwick_add_test(tst_util_extenso SOURCES util/tst_Extenso.cpp LIBS tarnwick_util)
tarnwick_add_test(tst_util_numero SOURCES util/tst_Numero.cpp LIBS tarnwick_util)
tarnwick_add_test(tst_util_datahora SOURCES util/tst_DataHora.cpp LIBS tarnwick_util)
