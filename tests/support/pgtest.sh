#!/usr/bin/env bash
# Starts or stops the PostgreSQL 15 server that one test run shares.
#   pgtest.sh start STATEFILE   initdb in a fresh folder, TLS on, role "Admin"
#   pgtest.sh stop  STATEFILE   stop it and remove its folder
#   pgtest.sh start STATEFILE KEEPDIR   the same server kept in KEEPDIR between
#                               runs (made there once; stop leaves it), as the
#                               benchmarks keep their catalogue
# The server listens on loopback only. postgres refuses to run as root, so as
# root the server runs as the postgres user in a folder that user owns.
set -euo pipefail
cmd="$1"; state="$2"; keep="${3:-}"
[ -n "$keep" ] && keep="$(realpath -m "$keep")"
PGBIN=/usr/lib/postgresql/15/bin

as_pg() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop() {
  [ -f "$state" ] || return 0
  # shellcheck disable=SC1090
  . "$state"
  if [ -n "${PGDATADIR:-}" ] && [ -d "$PGDATADIR" ]; then
    if [ -n "${PGKEEP:-}" ]; then
      as_pg "$PGBIN/pg_ctl" -D "$PGDATADIR" -m fast stop >/dev/null 2>&1 || true
    else
      as_pg "$PGBIN/pg_ctl" -D "$PGDATADIR" -m immediate stop >/dev/null 2>&1 || true
      rm -rf "$(dirname "$PGDATADIR")"
    fi
  fi
  rm -f "$state"
}

# A new cluster in $1/data: TLS with a loopback certificate, tuned for tests.
make_cluster() {
  local dir="$1" super="$2" data="$1/data"
  mkdir -p "$data"
  [ "$(id -u)" = 0 ] && chown -R postgres:postgres "$dir"
  chmod 700 "$dir"
  as_pg "$PGBIN/initdb" -D "$data" -U "$super" --auth-local=trust --auth-host=scram-sha-256 \
      --locale=C --encoding=UTF8 >"$dir/initdb.log" 2>&1

  # A certificate whose subjectAltName holds the loopback address, so clients
  # can verify the server when TLS is required.
  as_pg openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=127.0.0.1" \
      -addext "subjectAltName=IP:127.0.0.1,DNS:localhost" \
      -keyout "$data/server.key" -out "$data/server.crt" >/dev/null 2>&1
  as_pg chmod 600 "$data/server.key"
  cp "$data/server.crt" "$dir/root.crt"; chmod 644 "$dir/root.crt"; chmod 755 "$dir"

  cat >>"$data/postgresql.conf" <<CONF
listen_addresses = '127.0.0.1'
unix_socket_directories = '$dir'
ssl = on
ssl_cert_file = 'server.crt'
ssl_key_file = 'server.key'
max_connections = 300
fsync = off
synchronous_commit = off
full_page_writes = off
CONF
}

start() {
  stop
  mkdir -p "$(dirname "$state")"
  local super; super=$( [ "$(id -u)" = 0 ] && echo postgres || id -un )
  local dir fresh=1
  if [ -n "$keep" ]; then
    dir="$keep"
    [ -f "$dir/data/PG_VERSION" ] && fresh=""
    if [ -n "$fresh" ]; then
      rm -rf "$dir"; mkdir -p "$dir"
      make_cluster "$dir" "$super"
      # A server's memory for a catalogue of millions of rows.
      cat >>"$dir/data/postgresql.conf" <<CONF
shared_buffers = 512MB
work_mem = 32MB
maintenance_work_mem = 512MB
CONF
    fi
  else
    dir=$(mktemp -d /tmp/kvpg-XXXXXX)
    make_cluster "$dir" "$super"
  fi
  local data="$dir/data"

  local port
  for attempt in $(seq 1 20); do
    port=$(( 20000 + (RANDOM % 20000) ))
    if as_pg "$PGBIN/pg_ctl" -D "$data" -o "-p $port" -l "$dir/server.log" -w -t 60 start >/dev/null 2>&1; then
      break
    fi
    port=""
  done
  [ -n "$port" ] || { cat "$dir/server.log" >&2; exit 1; }

  if [ -n "$fresh" ]; then
    as_pg "$PGBIN/psql" -h "$dir" -p "$port" -U "$super" -d postgres -q -v ON_ERROR_STOP=1 \
        -c "CREATE ROLE \"Admin\" LOGIN SUPERUSER PASSWORD 'QpRelay';"
  fi

  cat >"$state" <<STATE
PGHOST=127.0.0.1
PGPORT=$port
PGSUPERUSER=$super
PGSOCKETDIR=$dir
PGDATADIR=$data
PGSSLROOTCERT=$dir/root.crt
PGKEEP=$keep
STATE
  echo "PostgreSQL server on 127.0.0.1:$port"
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop STATEFILE [KEEPDIR]" >&2; exit 2 ;;
esac
