# libcurl as libcurl.dll with Windows' own TLS (Schannel, certificates from the system store) and
# zlib from libz-mingw-w64-dev for compressed answers. The program speaks HTTP(S) only, so every other
# protocol is left out, and so are the optional libraries (SSH, IDN, HTTP/2, PSL, brotli, zstd). No
# CA bundle or path is built in: CMake would take the build machine's, and Schannel would then check
# servers against a file Windows does not have instead of the system store.
# Debian's gnutls/nss patches rename the library in the autotools files only; CMake does not read them.
build_curl() {
  pronto "$CURL_PREFIX" && return 0
  log "curl $CURL_VERSION"
  local src build inicio=$SECONDS
  src=$(fonte curl "$CURL_VERSION")
  build="$CACHE/build/curl"
  rm -rf "$build" "$CURL_PREFIX"
  passo curl configure cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$CURL_PREFIX" \
    -DBUILD_SHARED_LIBS=ON -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DENABLE_MANUAL=OFF \
    -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_CA_BUNDLE=none -DCURL_CA_PATH=none \
    -DCURL_ZLIB=ON \
    -DHTTP_ONLY=ON -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON \
    -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBSSH=OFF -DCURL_USE_GSSAPI=OFF -DUSE_LIBIDN2=OFF \
    -DUSE_WIN32_IDN=OFF -DUSE_NGHTTP2=OFF -DCURL_USE_LIBPSL=OFF -DCURL_BROTLI=OFF \
    -DCURL_ZSTD=OFF -DENABLE_ARES=OFF
  passo curl build cmake --build "$build" -j "$JOBS"
  passo curl install cmake --install "$build"
  feito "$CURL_PREFIX" curl "$inicio"
  rm -rf "$build"
}
