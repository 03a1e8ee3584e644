#!/usr/bin/env bash
# Starts the suite on the single-user (embedded) database: makes the all-users
# settings folder and its database with starter data when they are missing
# (rows already there are never changed), then starts the launcher from the
# build's bin folder, so the programs it starts by bare name are found.
set -euo pipefail
BUILD="$(cd "$1" && pwd)"
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
# dbsetup only adds what is missing: tables of a database that a program
# opened before it existed, and starter data into a database without data.
# Rows already there are never changed.
if ! "$BIN/dbsetup" --local "$settings" --starter > "${settings}dbsetup.log" 2>&1; then
  cat "${settings}dbsetup.log" >&2
  say "could not prepare the single-user database in ${settings}db/data/"
  exit 1
fi
grep -q -i 'starter data loaded' "${settings}dbsetup.log" && say "created the single-user database with starter data"

# Starts Xvfb on the first free display from :90 and waits until it takes
# connections; sets display and xvfb_pid. Returns 1 when none could be started.
display=""
xvfb_pid=""
start_xvfb() {
  local n
  for n in $(seq 90 119); do
    if [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; then continue; fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do
      if [ -S "/tmp/.X11-unix/X${n}" ]; then
        display=":$n"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  return 1
}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  if ! command -v Xvfb >/dev/null; then
    say "no display and no Xvfb: install the package xvfb or run on a desktop"
    exit 1
  fi
  if ! start_xvfb; then
    say "could not start a virtual display (Xvfb)"
    exit 1
  fi
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  export DISPLAY="$display"
  say "no display found: running the suite on the virtual display $DISPLAY (Xvfb)"
fi

# Every program started from the launcher inherits this run's mark, so that
# the programs still open when the launcher closes can be found.
run_mark="$$-$(date +%s%N)"

# How many processes of this run (the launcher and what it started) are left.
programs_left() {
  local env pid n=0
  for env in /proc/[0-9]*/environ; do
    pid="${env#/proc/}"
    pid="${pid%/environ}"
    [ "$pid" = "$BASHPID" ] && continue
    if grep -qzx "KV_SUITE_RUN=$run_mark" "$env" 2>/dev/null; then n=$((n + 1)); fi
  done
  echo "$n"
}

cd "$BIN"
export PATH="$BIN:$PATH"
if [ -n "$xvfb_pid" ]; then
  say "starting menuhost (the suite ends when its window and every program started from it are closed)"
else
  say "starting menuhost (closing its window ends the suite)"
fi
status=0
KV_SUITE_RUN="$run_mark" "$BIN/menuhost" || status=$?
if [ "$status" -ne 0 ]; then
  say "menuhost ended with status $status (see its log in ${settings}bologs/menuhost/)"
fi
# Closing the launcher does not close the programs it started: the virtual
# display stays while any of them is open, so none loses what is typed in it.
if [ -n "$xvfb_pid" ] && [ "$(programs_left)" -gt 0 ]; then
  say "menuhost is closed; the virtual display $DISPLAY stays until the programs started from it are closed"
  while [ "$(programs_left)" -gt 0 ]; do sleep 0.5; done
fi
exit "$status"
