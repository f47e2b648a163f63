#!/usr/bin/env bash
# A private MariaDB server in a folder of its own: its data, socket, port and log live in
# DIR, so it needs no system service and touches no other server.
#   private-mariadb.sh start DIR [test-user]
#                                  start it (initialising DIR on first use); idempotent.
#                                  With test-user, a user 'tirra' (password 'tirra') that
#                                  may do everything is made, for the test suite.
#   private-mariadb.sh stop DIR    stop it
#   private-mariadb.sh status DIR  exit 0 when it answers
# After start, DIR/sock is the socket and DIR/port holds the TCP port (loopback only).
# root has no password but is reached only through the socket.
set -euo pipefail
cmd=${1:?start|stop|status}
dir=${2:?folder}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

server_bin() { command -v mariadbd || command -v mysqld || echo /usr/sbin/mariadbd; }
client() { mariadb --no-defaults -S "$dir/sock" -uroot "$@"; }
answers() { [ -S "$dir/sock" ] && client -e 'select 1' >/dev/null 2>&1; }

free_port() {
  python3 - <<'PY' 2>/dev/null || echo $(( 20000 + RANDOM % 20000 ))
import socket
s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()
PY
}

case "$cmd" in
  status)
    answers ;;
  start)
    if answers; then exit 0; fi
    if [ ! -d "$dir/data/mysql" ]; then
      rm -rf "$dir/data"
      mariadb-install-db --no-defaults --datadir="$dir/data" --auth-root-authentication-method=normal \
        --user="$(id -un)" --skip-test-db >"$dir/install.log" 2>&1 || { cat "$dir/install.log" >&2; exit 1; }
    fi
    [ -s "$dir/port" ] || free_port >"$dir/port"
    port=$(cat "$dir/port")
    rm -f "$dir/sock" "$dir/pid"
    "$(server_bin)" --no-defaults --datadir="$dir/data" --socket="$dir/sock" --port="$port" \
      --bind-address=127.0.0.1 --user="$(id -un)" --pid-file="$dir/pid" \
      --log-error="$dir/server.log" --skip-name-resolve --innodb-buffer-pool-size=64M \
      --innodb-flush-log-at-trx-commit=2 >/dev/null 2>&1 &
    for _ in $(seq 1 120); do
      if answers; then break; fi
      sleep 0.25
    done
    if ! answers; then echo "private MariaDB in $dir did not start; see $dir/server.log" >&2; tail -20 "$dir/server.log" >&2 || true; exit 1; fi
    [ "${3:-}" = test-user ] && client -e "CREATE USER IF NOT EXISTS 'tirra'@'localhost' IDENTIFIED BY 'tirra';
               CREATE USER IF NOT EXISTS 'tirra'@'127.0.0.1' IDENTIFIED BY 'tirra';
               GRANT ALL ON *.* TO 'tirra'@'localhost' WITH GRANT OPTION;
               GRANT ALL ON *.* TO 'tirra'@'127.0.0.1' WITH GRANT OPTION;
               FLUSH PRIVILEGES;"
    exit 0
    ;;
  stop)
    if [ -s "$dir/pid" ]; then
      pid=$(cat "$dir/pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 1 80); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
      kill -9 "$pid" 2>/dev/null || true
      rm -f "$dir/pid"
    fi
    ;;
  *) echo "usage: $0 start|stop|status DIR" >&2; exit 2 ;;
esac
