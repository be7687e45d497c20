# Every outside library the project links, found once here.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)
find_package(Threads REQUIRED)
find_package(CURL REQUIRED)
find_package(LibArchive REQUIRED)
find_package(ZLIB REQUIRED)

find_path(RAPIDJSON_INCLUDE_DIR rapidjson/reader.h REQUIRED)
add_library(rapidjson INTERFACE)
target_include_directories(rapidjson SYSTEM INTERFACE ${RAPIDJSON_INCLUDE_DIR})

# Firebird: the headers of its client interface only. The client library itself (fbclient) is loaded
# by the program at its first connection, so that a machine without it still starts.
find_path(FIREBIRD_INCLUDE_DIR firebird/Interface.h REQUIRED)
add_library(firebird INTERFACE)
target_include_directories(firebird SYSTEM INTERFACE ${FIREBIRD_INCLUDE_DIR})
