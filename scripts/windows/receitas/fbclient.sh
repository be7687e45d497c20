# Firebird 3 client fbclient.dll, with the public headers of its interface, its message file and its
# licences: the tests load it, and the program ships it in its folder "firebird" for PCs whose own
# client cannot be used. Built by our own small CMake project, fbclient/CMakeLists.txt, over Debian's
# firebird3.0 and libtommath sources; it says why. The result is checked against a private Linux
# Firebird server: fbclient/verifica.cpp runs a query through the DLL under Wine.
# firebird.msg is Debian's (package libfbclient2, the same release): build_msg writes it from the
# message database with fixed-size little-endian fields, the same file on every little-endian system.
FIREBIRD_MSG_DEBIAN=/usr/lib/x86_64-linux-gnu/firebird/3.0/firebird.msg
build_fbclient() {
  pronto "$FIREBIRD_PREFIX" && return 0
  log "fbclient $FIREBIRD_VERSION (libtommath $TOMMATH_VERSION)"
  local src tommath build inicio=$SECONDS
  src=$(fonte firebird3.0 "$FIREBIRD_VERSION")
  tommath=$(fonte libtommath "$TOMMATH_VERSION")
  build="$CACHE/build/fbclient"
  rm -rf "$build" "$FIREBIRD_PREFIX"
  # ICU's headers (libicu-dev) declare what the client loads from ICU's DLLs at run time; only they
  # are put on the include path, not the rest of the build machine's /usr/include.
  [ -f /usr/include/unicode/ucnv.h ] || { echo "ICU headers missing (package libicu-dev)" >&2; exit 1; }
  local msg_versao
  msg_versao=$(dpkg-query -W -f='${Version}' libfbclient2 2>/dev/null || true)
  case "$msg_versao" in
    "$FIREBIRD_VERSION".*) ;;
    *) echo "firebird.msg: libfbclient2 $FIREBIRD_VERSION needed, found '${msg_versao}'" >&2; exit 1 ;;
  esac
  mkdir -p "$build/icu"
  ln -s /usr/include/unicode "$build/icu/unicode"
  passo fbclient configure cmake -S "$HERE/receitas/fbclient" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$FIREBIRD_PREFIX" \
    -DFIREBIRD_SOURCE="$src" -DTOMMATH_SOURCE="$tommath" -DICU_INCLUDE="$build/icu" \
    -DFIREBIRD_MSG="$FIREBIRD_MSG_DEBIAN" \
    -DWINE_PREFIX="$build/wine"
  passo fbclient build cmake --build "$build" -j "$JOBS"
  passo fbclient check verifica_fbclient "$build"
  passo fbclient install cmake --install "$build"
  feito "$FIREBIRD_PREFIX" fbclient "$inicio"
  WINEPREFIX="$build/wine" wineserver -k 2>/dev/null || true
  rm -rf "$build"
}

# Runs <build>/verifica.exe under Wine against a private server started on a free port in <build>.
verifica_fbclient() {
  local build=$1 porta senha=verifica rc=0
  porta=$("$ROOT/scripts/firebird-server.sh" start "$build/servidor" "$senha") || return 1
  (cd "$build" && WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    wine ./verifica.exe "127.0.0.1/$porta" "$build/servidor/verifica.fdb" "$senha") || rc=$?
  "$ROOT/scripts/firebird-server.sh" stop "$build/servidor"
  return $rc
}
