# The ZIP archives of a download, read back with Python's zipfile, unzip and 7z.
tarnwick_add_test(tst_download_archive SOURCES download/archive/tst_Zip.cpp
  LIBS tarnwick_download_archive tarnwick_test_support TIMEOUT 300)
