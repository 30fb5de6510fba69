#!/usr/bin/env bash
# A desktop session that ends sends SIGTERM (or SIGHUP): the program ends as a closed main window does,
# with its settings written, instead of being killed with them unsaved.
set -euo pipefail
BUILD_DIR="$1"

tmp="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
ini="$HOME/.local/share/Vestrel/Vennla/vennlo.ini"
fail() { echo "FAIL: $*" >&2; exit 1; }

passed=0
for sig in TERM HUP; do
  "$BUILD_DIR/vennlo" >"$tmp/out.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 150); do
    [ -f "$ini" ] && [ -f "$HOME/Documents/Vestrel/値札データ/sample_logoC.gif" ] && break
    sleep 0.1
  done
  [ -f "$ini" ] || fail "start-up did not write the settings"
  sleep 2.5 # past the splash
  rm -f "$ini"
  kill -s "$sig" "$pid"
  rc=0
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "SIG$sig did not end the program"
  wait "$pid" || rc=$?
  pid=""
  [ "$rc" -eq 0 ] || fail "SIG$sig: exit status $rc, $(cat "$tmp/out.log")"
  [ -f "$ini" ] || fail "SIG$sig: the settings were not written"
  passed=$((passed + 1))
done
echo "$passed passed, 0 failed"
