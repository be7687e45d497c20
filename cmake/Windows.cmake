# The Windows x64 build, cross-compiled with MinGW-w64 (scripts/windows/build.sh sets it up):
#   - the native build whose notes-service the tests start (TARNWICK_HOST_BUILD),
#   - the tests run under Wine through scripts/windows/wine-run.sh (CMAKE_CROSSCOMPILING_EMULATOR),
#   - the folder dist/Tarnwick-<version>-win64 with the program and every DLL it needs.
set(TARNWICK_HOST_BUILD "" CACHE PATH "A native (Linux) build of this tree: its notes-service serves the Windows tests")
if(NOT TARNWICK_HOST_BUILD)
  message(FATAL_ERROR "TARNWICK_HOST_BUILD must name a native build of this tree (for its notes-service)")
endif()
add_executable(notes-service IMPORTED GLOBAL)
set_target_properties(notes-service PROPERTIES
  IMPORTED_LOCATION ${TARNWICK_HOST_BUILD}/tools/notes-service/notes-service)

# What Tarnwick.exe says of itself (packaging/windows): its icon, rendered by the native build's
# icon-render from the window icon's own drawing code, its version resource and its manifest.
enable_language(RC)
add_executable(icon-render IMPORTED GLOBAL)
set_target_properties(icon-render PROPERTIES
  IMPORTED_LOCATION ${TARNWICK_HOST_BUILD}/tools/icon-render/icon-render)
set(TARNWICK_ICO ${PROJECT_BINARY_DIR}/packaging/Tarnwick.ico)
set(TARNWICK_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/Tarnwick.manifest)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/Tarnwick.rc.in ${PROJECT_BINARY_DIR}/packaging/Tarnwick.rc
  @ONLY)
add_custom_command(OUTPUT ${TARNWICK_ICO}
  COMMAND icon-render --ico ${TARNWICK_ICO} 16 20 24 32 40 48 64 256
  DEPENDS ${TARNWICK_HOST_BUILD}/tools/icon-render/icon-render
  COMMENT "Rendering Tarnwick.ico"
  VERBATIM)
set_source_files_properties(${PROJECT_BINARY_DIR}/packaging/Tarnwick.rc PROPERTIES
  OBJECT_DEPENDS "${TARNWICK_ICO};${TARNWICK_MANIFEST}")
add_custom_target(tarnwick_icone DEPENDS ${TARNWICK_ICO})
target_sources(tarnwick PRIVATE ${PROJECT_BINARY_DIR}/packaging/Tarnwick.rc)
add_dependencies(tarnwick tarnwick_icone)

# Where the DLLs the programs need are found: the dependency prefixes' bin folders and the MinGW runtime
# (libstdc++, libgcc, winpthread). The Firebird client's bin is among them, but nothing imports it: the
# programs load it by full path (the tests' copy lies beside them, see tests/CMakeLists.txt).
set(TARNWICK_DLL_DIRS)
foreach(_prefixo IN LISTS CMAKE_PREFIX_PATH)
  if(EXISTS ${_prefixo}/bin)
    list(APPEND TARNWICK_DLL_DIRS ${_prefixo}/bin)
  endif()
endforeach()
foreach(_dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
    OUTPUT_VARIABLE _arquivo OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(_pasta ${_arquivo} DIRECTORY)
  list(APPEND TARNWICK_DLL_DIRS ${_pasta})
endforeach()
list(REMOVE_DUPLICATES TARNWICK_DLL_DIRS)
string(REPLACE ";" ":" _dlls "${TARNWICK_DLL_DIRS}")

# ctest runs every Windows test program under Wine, in a prefix of this build's own.
set(TARNWICK_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${PROJECT_SOURCE_DIR}/scripts/windows/wine-run.sh ${TARNWICK_WINEPREFIX} ${_dlls})

# The program a user copies to a PC: dist/Tarnwick-<version>-win64 and its zip, with the Firebird client
# of the dependency cache in its folder "firebird".
get_filename_component(TARNWICK_QT_PREFIX ${Qt6_DIR}/../../.. ABSOLUTE)
set(TARNWICK_FIREBIRD_PREFIX "")
foreach(_prefixo IN LISTS CMAKE_PREFIX_PATH)
  if(_prefixo MATCHES "/fbclient-[^/]*$")
    set(TARNWICK_FIREBIRD_PREFIX ${_prefixo})
  endif()
endforeach()
if(NOT EXISTS ${TARNWICK_FIREBIRD_PREFIX}/bin/firebird.msg)
  message(FATAL_ERROR "No Firebird client prefix with firebird.msg in CMAKE_PREFIX_PATH (scripts/windows/deps.sh fbclient)")
endif()
set(TARNWICK_DIST ${PROJECT_BINARY_DIR}/dist/Tarnwick-${PROJECT_VERSION}-win64)
add_custom_target(tarnwick_dist ALL
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows/dist.sh $<TARGET_FILE:tarnwick> ${TARNWICK_DIST}
          ${TARNWICK_QT_PREFIX} ${_dlls} ${TARNWICK_FIREBIRD_PREFIX}
  DEPENDS tarnwick
  COMMENT "Laying out ${TARNWICK_DIST}"
  VERBATIM)

# The installer a Windows user runs, made with Debian's NSIS from that folder (packaging/windows).
set(TARNWICK_INSTALADOR ${PROJECT_BINARY_DIR}/dist/Tarnwick-${PROJECT_VERSION}-setup.exe)
add_custom_command(OUTPUT ${TARNWICK_INSTALADOR}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows/instalador.sh ${TARNWICK_DIST} ${PROJECT_VERSION}
          ${TARNWICK_ICO} ${TARNWICK_INSTALADOR}
  DEPENDS tarnwick ${TARNWICK_ICO} ${PROJECT_SOURCE_DIR}/packaging/windows/Tarnwick.nsi
          ${PROJECT_SOURCE_DIR}/scripts/windows/instalador.sh ${PROJECT_SOURCE_DIR}/scripts/windows/dist.sh
          ${PROJECT_SOURCE_DIR}/scripts/windows/guia.sh ${PROJECT_SOURCE_DIR}/docs/guia/guia-windows.md
  COMMENT "Making ${TARNWICK_INSTALADOR}"
  VERBATIM)
add_custom_target(tarnwick_instalador ALL DEPENDS ${TARNWICK_INSTALADOR})
add_dependencies(tarnwick_instalador tarnwick_dist)

# The test programs find Qt where the build does (its DLLs come through WINEPATH), and the Brazilian
# catalogue of Qt's own texts where the dist takes it from, Debian's qt6-translations-l10n: a qt.conf
# beside them, its paths on Wine's drive Z: (the build machine's root).
file(WRITE ${PROJECT_BINARY_DIR}/tests/qt.conf
  "[Paths]\nPrefix = Z:${TARNWICK_QT_PREFIX}\nTranslations = Z:/usr/share/qt6/translations\n")
