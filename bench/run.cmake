# bench_run: one download step from the local stand-in against the costs no run can avoid: peak memory of
# steps of 20,000 and 100,000 notes, loopback and 50 ms-away ratios. Prints figures; not a test.
add_executable(bench_run run_bench.cpp)
target_link_libraries(bench_run PRIVATE tarnwick_flags tarnwick_download_run tarnwick_sistema tarnwick_test_support
  CURL::libcurl ZLIB::ZLIB)
target_compile_definitions(bench_run PRIVATE TARNWICK_NOTES_SERVICE_EXE="$<TARGET_FILE:notes-service>")
add_dependencies(bench_run notes-service)
