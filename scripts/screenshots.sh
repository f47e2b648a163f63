#!/usr/bin/env bash
# Takes the pictures of the window in docs/: builds the station, starts a private MariaDB
# in build/shot-mysql with a fresh database, and runs tirra-screenshots under a virtual
# display (or Qt's offscreen platform when xvfb-run is missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
NO_TESTS=1 bash "$root/scripts/build.sh" --target tirra-screenshots
server="$root/build/shot-mysql"
bash "$root/scripts/private-mariadb.sh" start "$server" test-user
trap 'bash "$root/scripts/private-mariadb.sh" stop "$server"' EXIT
mariadb --no-defaults -S "$server/sock" -uroot -e "DROP DATABASE IF EXISTS shots; CREATE DATABASE shots;"
home=$(mktemp -d)
mkdir -p "$home/tirra"
printf 'schema = shots\nusername = tirra\npassword = tirra\nsocket = %s\n' "$server/sock" >"$home/tirra/db.properties"
export TIRRA_DRIVE_C="$home"
shots="$root/build/src/../tools/screenshots/tirra-screenshots"
[ -x "$shots" ] || shots=$(find "$root/build" -name tirra-screenshots -type f -perm -u+x | head -1)
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$shots" "$root/docs"
else
  QT_QPA_PLATFORM=offscreen "$shots" "$root/docs"
fi
rm -rf "$home"
echo "pictures in $root/docs"
