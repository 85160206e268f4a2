#!/usr/bin/env bash
# One running copy per data folder. The first start on an empty data folder
# waits on its first screen; a second start on the same folder, whatever its
# environment, ends at once and says why, while the first keeps running; a
# start on another data folder runs beside it. A data folder the lock file
# cannot be made in (full, read-only) is no other copy: the start says which
# file failed and why.
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

# The start on a folder it cannot lock waits on its warning; its text went to
# the error output before.
lock_failure() {
  local what=$1 folder=$2 reason=$3 said
  said=$(cat)
  case $said in
    *"already running"*) echo "$what: said it is already running: $said"; exit 1 ;;
    *"$folder/korvela.lock"*"$reason"*) ;;
    *) echo "$what: said: $said"; exit 1 ;;
  esac
  [ ! -e "$folder/korvela.lock" ] || { echo "$what: a lock file was left"; exit 1; }
}
full=$(mktemp -d)
readonly_folder=$(mktemp -d)
trap 'kill $first $beside 2>/dev/null; wait 2>/dev/null; chmod 700 "$readonly_folder"; rm -rf "$home" "$other" "$runtime" "$full" "$readonly_folder"' EXIT
# Not one byte may be written, as on a full disk.
( trap '' XFSZ; ulimit -f 0; KORVELA_HOME=$full exec timeout 5 "$program" ) 2>&1 >/dev/null |
  lock_failure "a full disk" "$full" "File too large" || exit 1
chmod 555 "$readonly_folder"
as_user=
[ "$(id -u)" -ne 0 ] || as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
KORVELA_HOME=$readonly_folder XDG_RUNTIME_DIR=$runtime HOME=$readonly_folder \
  timeout 5 $as_user "$program" 2>&1 >/dev/null |
  lock_failure "a read-only folder" "$readonly_folder" "Permission denied" || exit 1
echo "second start on the same folder ended after $elapsed_ms ms; another folder runs beside;" \
  "a full or read-only folder is named with its reason"
