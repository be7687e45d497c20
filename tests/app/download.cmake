# The download run driven through the window, against the local stand-in of the notes service.
tarnwick_add_test(app_download SOURCES app/download_tst_Download.cpp
  LIBS tarnwick_gui tarnwick_test_support TIMEOUT 300)
