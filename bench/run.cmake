# bench_run: one download step of 20,000 notes of 10 KB XML from the local stand-in, against the two
# costs no run can avoid (fetching the pages, deflating the XML). Prints figures; not a test.
add_executable(bench_run run_bench.cpp)
target_link_libraries(bench_run PRIVATE tarnwick_flags tarnwick_download_run CURL::libcurl ZLIB::ZLIB)
target_compile_definitions(bench_run PRIVATE TARNWICK_NOTES_SERVICE_EXE="$<TARGET_FILE:notes-service>")
add_dependencies(bench_run notes-service)
