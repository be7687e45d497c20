# RapidJSON: headers only, as Debian's patches leave them; nothing to build.
build_rapidjson() {
  pronto "$RAPIDJSON_PREFIX" && return 0
  log "rapidjson $RAPIDJSON_VERSION"
  local src inicio=$SECONDS
  src=$(fonte rapidjson "$RAPIDJSON_VERSION")
  rm -rf "$RAPIDJSON_PREFIX"
  mkdir -p "$RAPIDJSON_PREFIX/include" "$RAPIDJSON_PREFIX/share/doc/rapidjson"
  cp -R "$src/include/rapidjson" "$RAPIDJSON_PREFIX/include/"
  cp "$src/license.txt" "$RAPIDJSON_PREFIX/share/doc/rapidjson/"
  feito "$RAPIDJSON_PREFIX" rapidjson "$inicio"
}
