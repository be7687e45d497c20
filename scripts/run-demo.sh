#!/usr/bin/env bash
# Builds the program and starts it on the demo data: demo/ is its working directory, with an embedded
# Firebird database of five branches and a Tarnwick.ini (made once), and the local notes service
# answers on 127.0.0.1:2020 (started if it does not listen yet). When the window closes (or Ctrl+C ends
# the program), the notes service this demo started is stopped again. Without a display the window opens
# on a virtual one (xvfb-run); the script tells how to look at it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-demo -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF >/dev/null
cmake --build build-demo --target tarnwick notes-service -j "$(nproc)"
scripts/demo-setup.sh build-demo demo

# The stand-in is ours when demo-setup.sh (now or in an earlier demo) started it: stop it at the end.
SERVICO=""
PIDFILE="$PWD/demo/notes-service.pid"
if [ -f "$PIDFILE" ]; then
  pid=$(cat "$PIDFILE")
  if kill -0 "$pid" 2>/dev/null && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q notes-service; then
    SERVICO=$pid
  else
    rm -f "$PIDFILE"
  fi
fi
para_servico() {
  [ -n "$SERVICO" ] || return 0
  kill "$SERVICO" 2>/dev/null || true
  for _ in $(seq 50); do
    kill -0 "$SERVICO" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$PIDFILE"
  echo "notes service: stopped (pid $SERVICO)"
  SERVICO=""
}
trap para_servico EXIT
trap 'exit 130' INT TERM HUP

cd demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # shellcheck disable=SC2016
  xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    echo "No display: the window runs on the virtual display $DISPLAY (Xvfb)."
    echo "To look at it from another terminal:"
    echo "  DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY import -window root tarnwick-demo.png"
    echo "Press Ctrl+C here to end the program."
    exec ../build-demo/src/app/tarnwick'
else
  ../build-demo/src/app/tarnwick
fi
