#!/usr/bin/env bash
# Builds the program and starts it on the demo data: demo/ is its working directory, with an embedded
# Firebird database of five branches and a Tarnwick.ini (made once), and the local notes service
# answers on 127.0.0.1:2020 (started if nothing listens there yet; it stays in the background).
# Without a display the window opens on a virtual one (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-demo -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF >/dev/null
cmake --build build-demo --target tarnwick notes-service -j "$(nproc)"
scripts/demo-setup.sh build-demo demo
cd demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a ../build-demo/src/app/tarnwick
fi
exec ../build-demo/src/app/tarnwick
