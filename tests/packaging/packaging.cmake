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
  # Tarnwick.exe's version resource, icon and manifest, read back through Windows' own API.
  tarnwick_add_test(tst_packaging_recursos_windows SOURCES packaging/tst_RecursosWindows.cpp
    support/RecursosWindows.cpp LIBS Qt6::Core LABELS "package")
  target_link_libraries(tst_packaging_recursos_windows PRIVATE version)
  target_compile_definitions(tst_packaging_recursos_windows PRIVATE
    PROGRAMA="$<TARGET_FILE:tarnwick>" VERSAO="${PROJECT_VERSION}")
  add_dependencies(tst_packaging_recursos_windows tarnwick)
endif()

# The Windows program end to end, from the Linux build: the folder of a Windows build
# (TARNWICK_WINDOWS_DIST, scripts/windows/build.sh sets it) copied, started under Wine on a private X
# display against a private Firebird server and the stand-in of the notes service, and driven through a
# download. The stand-in listens on the program's fixed port 2020, hence the lock. A folder named but
# missing fails the test.
set(TARNWICK_WINDOWS_DIST "" CACHE PATH
    "Folder of the Windows program (build-windows/dist/Tarnwick-<version>-win64) to test under Wine")
set(TARNWICK_WINDOWS_FBCLIENT "" CACHE FILEPATH
    "The Windows Firebird client (fbclient.dll) put beside the program under test")
if(NOT WIN32 AND TARNWICK_WINDOWS_DIST)
  tarnwick_add_test(tst_packaging_windows SOURCES packaging/tst_PacoteWindows.cpp config/BancoTeste.cpp
    LIBS tarnwick_config firebird tarnwick_test_support Qt6::Gui LABELS "nosan;package" TIMEOUT 900)
  target_compile_definitions(tst_packaging_windows PRIVATE
    PASTA_DIST="${TARNWICK_WINDOWS_DIST}"
    FBCLIENT_DLL="${TARNWICK_WINDOWS_FBCLIENT}"
    TARNWICK_SCRIPT_FIREBIRD="${PROJECT_SOURCE_DIR}/scripts/firebird-server.sh")
  set_tests_properties(tst_packaging_windows PROPERTIES RESOURCE_LOCK porta_2020)
  set_property(TEST tst_packaging_windows APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/config/lsan-firebird.supp")
endif()
# The Windows installer (TARNWICK_WINDOWS_INSTALADOR, scripts/windows/build.sh sets it) under Wine:
# installed, used, installed again, uninstalled; for one user and for all.
set(TARNWICK_WINDOWS_INSTALADOR "" CACHE FILEPATH
    "The Windows installer (build-windows/dist/Tarnwick-<version>-setup.exe) to test under Wine")
if(NOT WIN32 AND TARNWICK_WINDOWS_INSTALADOR)
  tarnwick_add_test(tst_packaging_instalador SOURCES packaging/tst_InstaladorWindows.cpp config/BancoTeste.cpp
    LIBS tarnwick_config firebird tarnwick_test_support Qt6::Gui LABELS "nosan;package" TIMEOUT 900)
  target_compile_definitions(tst_packaging_instalador PRIVATE
    INSTALADOR="${TARNWICK_WINDOWS_INSTALADOR}"
    PASTA_DIST="${TARNWICK_WINDOWS_DIST}"
    VERSAO="${PROJECT_VERSION}"
    FBCLIENT_DLL="${TARNWICK_WINDOWS_FBCLIENT}"
    TARNWICK_SCRIPT_FIREBIRD="${PROJECT_SOURCE_DIR}/scripts/firebird-server.sh")
  set_tests_properties(tst_packaging_instalador PROPERTIES RESOURCE_LOCK porta_2020)
  set_property(TEST tst_packaging_instalador APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/config/lsan-firebird.supp")
endif()
