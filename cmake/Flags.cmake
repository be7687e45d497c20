# Flags every target of our own links: strict warnings, and the sanitizers when asked for.
add_library(tarnwick_flags INTERFACE)
target_compile_options(tarnwick_flags INTERFACE -Wall -Wextra -Werror)
target_compile_definitions(tarnwick_flags INTERFACE
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_URL_CAST_FROM_STRING)

if(TARNWICK_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(tarnwick_flags INTERFACE ${_san})
  target_link_options(tarnwick_flags INTERFACE ${_san})
endif()

# A static library of our own: sources given, headers found from src/ ("util/Funcoes.h").
function(tarnwick_add_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC tarnwick_flags Qt6::Core)
endfunction()
