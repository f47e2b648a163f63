#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite. The tests
# start their own private MariaDB server (in build/test-mysql) and stop it at the end;
# sound goes through a file-backed ALSA device and keys through the stand-in card, so no
# sound card, display or digital I/O card is needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
cd "$root/build"
# A server left behind by an interrupted run is stopped first.
bash "$root/scripts/private-mariadb.sh" stop "$root/build/test-mysql" || true
ctest --output-on-failure -j2 --timeout 600 "$@"
