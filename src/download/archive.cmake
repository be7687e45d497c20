tarnwick_add_library(tarnwick_download_archive
  ZipNomes.cpp
  ZipArquivo.cpp
)
target_link_libraries(tarnwick_download_archive PUBLIC tarnwick_download_model
  PRIVATE LibArchive::LibArchive ZLIB::ZLIB)
target_link_libraries(tarnwick_download INTERFACE tarnwick_download_archive)
