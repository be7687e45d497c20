# qtbase: Core, Gui, Widgets and Test for win32-g++, host tools from Debian's qt6-base-dev-tools.
build_qt() {
  pronto "$QT_PREFIX" && return 0
  log "qtbase $QT_VERSION"
  local src build
  src=$(fonte qt6-base "$QT_VERSION")
  build="$CACHE/build/qtbase"
  rm -rf "$build" "$QT_PREFIX"
  # What the program does not use is switched off: no SQL, network, D-Bus, printing, XML, OpenGL
  # (and the dynamic GL loader, which does not compile without it), no tablet support (its Wintab
  # headers are not in Debian's tarball), no HarfBuzz or FreeType (Windows' own font engines draw
  # Latin text; the DirectWrite 3 font database needs FreeType), no Direct2D platform plugin, no JPEG/GIF.
  cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_harfbuzz=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_sql_sqlite=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_androiddeployqt=OFF \
    >"$CACHE/build/qtbase-configure.log" 2>&1 || { tail -40 "$CACHE/build/qtbase-configure.log" >&2; exit 1; }
  cmake --build "$build" -j "$JOBS" >"$CACHE/build/qtbase-build.log" 2>&1 \
    || { grep -B2 -A20 -m3 'error' "$CACHE/build/qtbase-build.log" >&2; exit 1; }
  cmake --install "$build" >/dev/null
  touch "$QT_PREFIX/.done"
  rm -rf "$build"
}
