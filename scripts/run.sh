#!/usr/bin/env bash
# Installs what is missing, builds the station, makes sure it has a database, and starts
# it. Without ~/tirra/db.properties it sets up a private MariaDB server under
# ~/tirra/mysql (its own data folder, socket and loopback port; started on demand and left
# running) with a database "tirra" and a user of its own, and writes db.properties for it.
# With no display it runs the station on a virtual one and says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
NO_TESTS=1 bash "$root/scripts/build.sh" --target tirra-recorder

home_dir=${TIRRA_DRIVE_C:-$HOME}
tirra_dir="$home_dir/tirra"
props="$tirra_dir/db.properties"
private="$tirra_dir/mysql"
mkdir -p "$tirra_dir"

if [ ! -f "$props" ]; then
  echo "No $props: setting up a private MariaDB server in $private"
  bash "$root/scripts/private-mariadb.sh" start "$private"
  password=$(head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 20)
  mariadb --no-defaults -S "$private/sock" -uroot -e "
    CREATE DATABASE IF NOT EXISTS tirra;
    CREATE USER IF NOT EXISTS 'station'@'localhost' IDENTIFIED BY '$password';
    ALTER USER 'station'@'localhost' IDENTIFIED BY '$password';
    GRANT ALL ON *.* TO 'station'@'localhost';
    FLUSH PRIVILEGES;"
  # The reader takes the text before " =" as the name: keep one blank on each side.
  cat >"$props" <<PROPS
# Tirra Recorder: how to reach the database
schema = tirra
username = station
password = $password
socket = $private/sock
PROPS
  chmod 600 "$props"
  echo "Wrote $props"
elif grep -q "^socket = $private/sock" "$props"; then
  bash "$root/scripts/private-mariadb.sh" start "$private"
  echo "Private MariaDB server in $private is running"
fi

station="$root/build/src/shell/tirra-recorder"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running the station on a virtual display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$station" "$@"
fi
exec "$station" "$@"
