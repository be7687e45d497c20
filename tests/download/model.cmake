# The JSON bodies of the notes service: the conversions and the key mapping, and the parser on the
# JSONTestSuite conformance cases (copied into tests/data/JSONTestSuite with their licence).
tarnwick_add_test(tst_download_model SOURCES download/model/tst_RecepcaoNF.cpp
  LIBS tarnwick_download_model)

tarnwick_add_test(tst_download_model_conformidade SOURCES download/model/tst_Conformidade.cpp
  LIBS tarnwick_download_model)
target_compile_definitions(tst_download_model_conformidade PRIVATE
  JSONTESTSUITE_DIR="${PROJECT_SOURCE_DIR}/tests/data/JSONTestSuite/test_parsing")

# The UTF-8 check of the bodies, against a plain decoder and through the reading of a page.
tarnwick_add_test(tst_download_model_utf8 SOURCES download/model/tst_Utf8.cpp
  LIBS tarnwick_download_model)
