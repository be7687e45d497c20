# libarchive as libarchive.dll with zlib (from libz-mingw-w64-dev) as its only compressor: the program
# writes ZIP archives with Deflate entries. No other compressor, crypto, XML or regex library, no
# iconv, and none of the bsdtar/bsdcpio/bsdcat programs. Whether zlib needs ZLIB_WINAPI is answered
# here (no: Debian's zlib uses the standard calling convention), because the check would run a test
# program, which a cross build cannot do (CMake 3.25 even crashes trying).
build_libarchive() {
  pronto "$ARCHIVE_PREFIX" && return 0
  log "libarchive $ARCHIVE_VERSION"
  local src build inicio=$SECONDS
  src=$(fonte libarchive "$ARCHIVE_VERSION")
  build="$CACHE/build/libarchive"
  rm -rf "$build" "$ARCHIVE_PREFIX"
  passo libarchive configure cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$ARCHIVE_PREFIX" \
    -DENABLE_ZLIB=ON -DENABLE_BZip2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_LZ4=OFF \
    -DENABLE_LZO=OFF -DENABLE_LIBB2=OFF -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_CNG=OFF \
    -DENABLE_PCREPOSIX=OFF -DENABLE_LIBGCC=OFF -DPOSIX_REGEX_LIB=NONE -DENABLE_ICONV=OFF \
    -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF \
    -DENABLE_TEST=OFF -DENABLE_WERROR=OFF \
    -DZLIB_WINAPI=OFF -DZLIB_WINAPI_WITH_LIB=/usr/$TRIPLE/lib/libz.dll.a
  passo libarchive build cmake --build "$build" -j "$JOBS"
  passo libarchive install cmake --install "$build"
  # The static copy CMake builds alongside is not used: the program links the DLL.
  rm -f "$ARCHIVE_PREFIX/lib/libarchive_static.a"
  feito "$ARCHIVE_PREFIX" libarchive "$inicio"
  rm -rf "$build"
}
