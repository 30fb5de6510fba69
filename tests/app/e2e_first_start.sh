#!/usr/bin/env bash
# The real program on a fresh account: first start makes the folders and copies the shipped files
# from its program folder; a later start keeps the user's edited sample; a crashed copy's lock does
# not keep the next start out.
set -euo pipefail
BUILD_DIR="$1"

tmp="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
data="$HOME/Documents/Vestrel/値札データ"
appdata="$HOME/.local/share/Vestrel/Vennla"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the program and waits until its start-up has written the settings file.
start() {
  "$BUILD_DIR/vennlo" >"$tmp/out.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 150); do
    if [ -f "$appdata/vennlo.ini" ] && [ -f "$data/sample_logoC.gif" ]; then return 0; fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended during start-up: $(cat "$tmp/out.log")"
    sleep 0.1
  done
  fail "start-up did not finish"
}
stop() {
  kill -9 "$pid" 2>/dev/null || true # as in a crash: the lock stays behind
  wait "$pid" 2>/dev/null || true
  pid=""
}

start
for f in sample.csv 名刺カードサンプル.hdn sample_logo.gif sample_logoC.gif; do
  cmp -s "$BUILD_DIR/$f" "$data/$f" || fail "$f not copied into the data folder"
done
count=$(find "$appdata/BarCode" -name '*.bmp' | wc -l)
[ "$count" -eq 33 ] || fail "BarCode folder holds $count images, not 33"
for f in "$BUILD_DIR"/BarCode/*.bmp; do
  cmp -s "$f" "$appdata/BarCode/$(basename "$f")" || fail "$(basename "$f") differs"
done
[ -f "$XDG_RUNTIME_DIR/vennlo.lock" ] || fail "no lock file while running"
stop

printf 'my own list\r\n' >"$data/sample.csv"
rm "$appdata/BarCode/LB.bmp"
start
[ "$(cat "$data/sample.csv")" = $'my own list\r' ] || fail "the edited sample was overwritten"
[ ! -e "$appdata/BarCode/LB.bmp" ] || fail "an existing BarCode folder was refilled"
kill -0 "$pid" || fail "the start after a crash did not run"
stop
echo "first start, later start and start after a crash: OK"
