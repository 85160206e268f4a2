#!/usr/bin/env bash
# One running copy per data folder. The first start on an empty data folder
# waits on its first screen; a second start on the same folder, whatever its
# environment, ends at once and says why, while the first keeps running; a
# start on another data folder runs beside it.
set -u
program=$1
home=$(mktemp -d)
other=$(mktemp -d)
runtime=$(mktemp -d)
first=
beside=
trap 'kill $first $beside 2>/dev/null; wait 2>/dev/null; rm -rf "$home" "$other" "$runtime"' EXIT
KORVELA_HOME=$home "$program" >/dev/null 2>&1 &
first=$!
for _ in $(seq 100); do
  [ -e "$home/korvela.lock" ] && break
  sleep 0.1
done
[ -e "$home/korvela.lock" ] || { echo "the first start did not take the lock"; exit 1; }
sleep 1

# The same folder reached through a link, from another runtime and temporary folder.
ln -s "$home" "$runtime/linked"
start=$(date +%s%N)
message=$(KORVELA_HOME=$runtime/linked XDG_RUNTIME_DIR=$runtime TMPDIR=$runtime \
  timeout 20 "$program" 2>&1 >/dev/null)
code=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$code" -eq 0 ] || { echo "second start ended with $code"; exit 1; }
[ "$elapsed_ms" -lt 10000 ] || { echo "second start took $elapsed_ms ms"; exit 1; }
case $message in
  *"Korvela is already running with the data folder"*) ;;
  *) echo "second start said: $message"; exit 1 ;;
esac
kill -0 "$first" 2>/dev/null || { echo "the first start ended"; exit 1; }

# Another data folder runs beside the first.
KORVELA_HOME=$other "$program" >/dev/null 2>&1 &
beside=$!
for _ in $(seq 100); do
  [ -e "$other/korvela.lock" ] && break
  sleep 0.1
done
sleep 1
kill -0 "$beside" 2>/dev/null || { echo "a start on another data folder ended"; exit 1; }
[ -e "$other/korvela.lock" ] || { echo "a start on another data folder took no lock"; exit 1; }
echo "second start on the same folder ended after $elapsed_ms ms; another folder runs beside"
