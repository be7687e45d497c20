# The installed program: the launcher's switch, and the Debian package itself.
tarnwick_add_test(tst_packaging_pasta_usuario SOURCES packaging/tst_PastaUsuario.cpp LIBS tarnwick_gui)

if(NOT WIN32)
  # Builds the package from this build tree with cpack, unpacks it, checks it and starts the program in it
  # as an unprivileged user under Xvfb. Needs the tools scripts/setup.sh installs; not run under the
  # sanitizers (the package holds the normal build).
  tarnwick_add_test(tst_packaging_pacote SOURCES packaging/tst_Pacote.cpp LIBS Qt6::Gui
    LABELS "nosan;package" TIMEOUT 600)
  string(REPLACE ";" "," _sizes "${TARNWICK_ICON_SIZES}")
  add_dependencies(tst_packaging_pacote tarnwick tarnwick_packaging_files)
  target_compile_definitions(tst_packaging_pacote PRIVATE
    PASTA_BUILD="${PROJECT_BINARY_DIR}"
    PASTA_FONTES="${PROJECT_SOURCE_DIR}"
    CPACK="${CMAKE_CPACK_COMMAND}"
    ID_APP="${TARNWICK_APP_ID}"
    VERSAO_PACOTE="${PROJECT_VERSION}"
    TAMANHOS_ICONES="${_sizes}")
endif()
if(WIN32)
  # The Windows folder a user copies holds every DLL its files import, but fbclient.dll.
  add_test(NAME tst_packaging_dlls_windows
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging/dlls-windows.sh ${TARNWICK_DIST})
  set_tests_properties(tst_packaging_dlls_windows PROPERTIES LABELS "package")
endif()
