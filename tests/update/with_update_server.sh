#!/usr/bin/env bash
# Runs COMMAND... with the update check's loopback server beside it: the
# server's folder and port are handed over as NIGHTLATCH_TEST_UPDATE_DIR and
# NIGHTLATCH_TEST_UPDATE_PORT. The server is ended by its pid afterwards.
set -euo pipefail
folder=$(mktemp -d)
python3 "$(dirname "${BASH_SOURCE[0]}")/update_server.py" "$folder" &
server=$!
cleanup() {
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -s "$folder/port" ] && break
  sleep 0.1
done
[ -s "$folder/port" ] || { echo "the update server did not start" >&2; exit 1; }
export NIGHTLATCH_TEST_UPDATE_DIR=$folder
NIGHTLATCH_TEST_UPDATE_PORT=$(cat "$folder/port")
export NIGHTLATCH_TEST_UPDATE_PORT
"$@"
