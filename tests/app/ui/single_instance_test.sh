#!/usr/bin/env bash
# Starts the program on an empty data folder (it waits on its first screen),
# then starts it again on the same folder: the second start must end at once
# with exit code 0 while the first is still running.
set -u
program=$1
home=$(mktemp -d)
other=$(mktemp -d)
# A runtime folder of the test's own, where the program keeps its lock.
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'kill "$first" 2>/dev/null; wait "$first" 2>/dev/null; rm -rf "$home" "$other" "$XDG_RUNTIME_DIR"' EXIT
KORVELA_HOME=$home "$program" >/dev/null 2>&1 &
first=$!
for _ in $(seq 50); do
  [ -e "$XDG_RUNTIME_DIR/korvela.lock" ] && break
  sleep 0.1
done
[ -e "$XDG_RUNTIME_DIR/korvela.lock" ] || { echo "the first start did not take the lock"; exit 1; }
# Another data folder makes no difference: one copy runs at a time.
start=$(date +%s%N)
KORVELA_HOME=$other timeout 10 "$program" >/dev/null 2>&1
code=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$code" -eq 0 ] || { echo "second start ended with $code"; exit 1; }
[ "$elapsed_ms" -lt 5000 ] || { echo "second start took $elapsed_ms ms"; exit 1; }
kill -0 "$first" 2>/dev/null || { echo "the first start ended"; exit 1; }
echo "second start ended after $elapsed_ms ms; the first keeps running"
