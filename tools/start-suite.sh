#!/usr/bin/env bash
# Starts the suite on the single-user (embedded) database: makes the all-users
# settings folder and its database with starter data when they are missing
# (an existing database is never touched), then starts the launcher from the
# build's bin folder, so the programs it starts by bare name are found.
set -euo pipefail
BUILD="$1"
BIN="$BUILD/bin"
say() { printf 'suite: %s\n' "$*"; }

if [ ! -x "$BIN/menuhost" ]; then
  say "the launcher is not built yet ($BIN/menuhost); nothing to start"
  exit 1
fi

common="${TESSARIN_COMMON_APPDATA:-/var/lib/}"
if [ -z "${TESSARIN_COMMON_APPDATA:-}" ] && [ ! -w /var/lib ]; then
  # An ordinary user cannot write /var/lib: keep the all-users data in the
  # user's own data folder instead, and tell every program so.
  common="${XDG_DATA_HOME:-$HOME/.local/share}/tessarin-common/"
  say "/var/lib is not writable: the all-users folder is $common"
fi
common="${common%/}/"
export TESSARIN_COMMON_APPDATA="$common"
settings="${common}Tarnwick/TessarinQS/"

if [ ! -d "$settings" ]; then
  mkdir -p "$settings"
  say "created the single-user settings folder $settings"
fi
if [ ! -d "${settings}db/data" ] || [ -z "$(ls -A "${settings}db/data" 2>/dev/null)" ]; then
  "$BIN/dbsetup" --local "$settings" --starter
  say "created the single-user database with starter data"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  display=":$(( 90 + RANDOM % 9 ))"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY="$display"
  sleep 1
  say "no display found: running the suite on the virtual display $DISPLAY (Xvfb)"
fi

cd "$BIN"
export PATH="$BIN:$PATH"
say "starting menuhost"
"$BIN/menuhost"
