#!/usr/bin/env bash
# Runs every benchmark program of a build folder configured with -DTIRRA_BUILD_BENCH=ON,
# with a private MariaDB server of its own for the ones that need a database.
#   bash scripts/bench.sh [BUILD_FOLDER]    (default: build-bench)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
server="$build/bench-mysql"
bash "$root/scripts/private-mariadb.sh" start "$server" test-user
trap 'bash "$root/scripts/private-mariadb.sh" stop "$server"' EXIT
export TIRRA_TEST_MYSQL_DIR="$server"
export QT_QPA_PLATFORM=offscreen
for b in "$build"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
