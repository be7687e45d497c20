# The notes service client, and the stand-in fixture other suites reuse.

# tarnwick_test_support: TNotesService (tests/support/NotesService.h) starts the local stand-in of the
# notes service (tools/notes-service) on a free port of 127.0.0.1 and stops it.
# It also holds the fixtures that stand on the operating system, one file per system: host programs run
# from a test (under Wine, through the build machine's shell), the file size limit, the clogged port,
# another program holding a file for a moment, a file's access control list.
if(WIN32)
  set(_por_sistema support/ProcessoHospedeiroWine.cpp support/LimiteArquivoWindows.cpp
    support/PortaEntupidaWindows.cpp support/DetentorArquivoWindows.cpp support/PermissoesArquivoWindows.cpp)
else()
  set(_por_sistema support/ProcessoHospedeiroPosix.cpp support/LimiteArquivoPosix.cpp
    support/PortaEntupidaPosix.cpp support/DetentorArquivoPosix.cpp support/PermissoesArquivoPosix.cpp)
endif()
add_library(tarnwick_test_support STATIC support/NotesService.cpp support/DetentorArquivo.cpp
  ${_por_sistema})
target_include_directories(tarnwick_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tarnwick_test_support PUBLIC tarnwick_flags Qt6::Core)
target_compile_definitions(tarnwick_test_support PRIVATE
  TARNWICK_NOTES_SERVICE_EXE="$<TARGET_FILE:notes-service>")
add_dependencies(tarnwick_test_support notes-service)
if(WIN32)
  target_link_libraries(tarnwick_test_support PRIVATE ws2_32 advapi32)
endif()

tarnwick_add_test(tst_download_client_codificacao SOURCES download/client/tst_Codificacao.cpp
  LIBS tarnwick_download_client)
target_compile_definitions(tst_download_client_codificacao PRIVATE
  TARNWICK_NOTES_HOST_DEFAULT="${TARNWICK_NOTES_HOST_DEFAULT}")

tarnwick_add_test(tst_download_client SOURCES download/client/tst_ServiceRecepcaoNF.cpp
  LIBS tarnwick_download_client tarnwick_test_support TIMEOUT 180)

tarnwick_add_test(tst_download_client_standin SOURCES download/client/tst_NotesService.cpp
  LIBS tarnwick_download_client tarnwick_test_support)
