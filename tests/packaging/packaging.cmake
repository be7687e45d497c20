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
  # The Windows folder a user copies holds every DLL its files import, and the Firebird client in "firebird".
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

# The Windows program end to end, from the Linux build, under Wine on a private X display against a
# private Firebird server and the stand-in of the notes service, which listens on the program's fixed
# port 2020, hence the lock. scripts/windows/build.sh sets the variables for its run; a file named but
# missing fails the test.
set(TARNWICK_WINDOWS_DIST "" CACHE PATH
    "Folder of the Windows program (build-windows/dist/Tarnwick-<version>-win64) to test under Wine")
set(TARNWICK_WINDOWS_FBCLIENT "" CACHE FILEPATH
    "The Windows Firebird client (fbclient.dll) the program under test loads")
set(TARNWICK_WINDOWS_INSTALADOR "" CACHE FILEPATH
    "The Windows installer (build-windows/dist/Tarnwick-<version>-setup.exe) to test under Wine")
function(tarnwick_add_windows_e2e name source)
  tarnwick_add_test(${name} SOURCES packaging/${source} config/BancoTeste.cpp
    LIBS tarnwick_config firebird tarnwick_test_support Qt6::Gui LABELS "nosan;package" TIMEOUT 900)
  target_compile_definitions(${name} PRIVATE
    PASTA_DIST="${TARNWICK_WINDOWS_DIST}"
    FBCLIENT_DLL="${TARNWICK_WINDOWS_FBCLIENT}"
    TARNWICK_SCRIPT_FIREBIRD="${PROJECT_SOURCE_DIR}/scripts/firebird-server.sh"
    ${ARGN})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK porta_2020)
  # ctest's time-out bounds them; Qt Test's own watchdog (5 minutes) may count several functions as one.
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/config/lsan-firebird.supp"
    "QTEST_FUNCTION_TIMEOUT=900000")
endfunction()
if(NOT WIN32 AND TARNWICK_WINDOWS_DIST)
  # The dist folder copied as a user gets it, and driven through a download.
  tarnwick_add_windows_e2e(tst_packaging_windows tst_PacoteWindows.cpp)
endif()
if(NOT WIN32 AND TARNWICK_WINDOWS_INSTALADOR)
  # The end of the session as Windows tells it to one program (a Windows program of its own, built with
  # the cross compiler the Windows build uses).
  find_program(TARNWICK_MINGW_CC NAMES x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-gcc REQUIRED)
  set(_sessao ${CMAKE_CURRENT_BINARY_DIR}/sessao-windows.exe)
  add_custom_command(OUTPUT ${_sessao}
    COMMAND ${TARNWICK_MINGW_CC} -municode -O1 -o ${_sessao}
            ${CMAKE_CURRENT_SOURCE_DIR}/packaging/SessaoWindows.c -luser32
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/SessaoWindows.c VERBATIM)
  add_custom_target(tarnwick_sessao_windows DEPENDS ${_sessao})
  # The installer: installed, used, installed again, refused while the program runs, upgraded from an
  # older version, uninstalled; for one user and for all.
  # It makes an older installer from the same dist folder, with the installer's icon of that build.
  get_filename_component(_pasta_instalador "${TARNWICK_WINDOWS_INSTALADOR}" DIRECTORY)
  tarnwick_add_windows_e2e(tst_packaging_instalador tst_InstaladorWindows.cpp
    INSTALADOR="${TARNWICK_WINDOWS_INSTALADOR}" VERSAO="${PROJECT_VERSION}"
    SCRIPT_INSTALADOR="${PROJECT_SOURCE_DIR}/scripts/windows/instalador.sh"
    ICONE_INSTALADOR="${_pasta_instalador}/../packaging/Tarnwick.ico" SESSAO_WINDOWS="${_sessao}")
  add_dependencies(tst_packaging_instalador tarnwick_sessao_windows)
endif()
