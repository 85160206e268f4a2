#!/usr/bin/env bash
# Kills the program with SIGKILL in the middle of its saves and checks that
# every file still loads and that every save it reported is stored.
#
#   kill_runs.sh DRIVER KORVELA_DATA SHIPPED_FOLDER [RUNS]
#
# RUNS kills per kind of save (food log, workout, weigh-in); the variable
# KORVELA_KILL_RUNS overrides it (100 for the full runs). Each run starts the
# driver on the same data folder, lets it save, and kills it at a random
# moment of a save: mostly after one to three saves, at a random point of
# the next one (the delay is spread over the length of the save before
# it), and one run in ten during the start-up. After each kill
# "korvela-data check" must find every file sound and the driver's verify
# must load every day record, food log and workout on a copy of the folder
# and find every save it reported.
set -u

driver=$1
tool=$2
shipped=$3
runs=${KORVELA_KILL_RUNS:-${4:-100}}

failures=0
work=$(mktemp -d "${TMPDIR:-/tmp}/korvela-kills.XXXXXX")
driverPid=
cleanup() {
  if [ -n "$driverPid" ]; then kill -9 "$driverPid" 2>/dev/null; wait "$driverPid" 2>/dev/null; fi
  exec 3<&- 4<&- 2>/dev/null
  if [ "$failures" -eq 0 ]; then
    rm -rf "$work"
  else
    rm -rf "$data"
    echo "the data folders of the first failures are kept in $work"
  fi
}
trap cleanup EXIT

data=$work/data
kills=0
startupKills=0
duringWrite=0
unreported=0
twiceStored=0
filesChecked=0
declare -A saves=([food]=0 [workout]=0 [weighin]=0)
declare -A startup=([food]=200000 [workout]=200000 [weighin]=200000)

fail() {
  echo "FAILURE: $*"
  failures=$((failures + 1))
  if [ "$failures" -le 3 ] && [ -d "$data" ]; then cp -a "$data" "$work/failure-$failures"; fi
}

# fd 4 never gets data: reading it with a timeout sleeps without a process.
mkfifo "$work/idle"
exec 4<>"$work/idle"
pause() { read -r -t "$1" -u 4 _ 2>/dev/null; }

# Times in microseconds, worked out by builtins into variables, so that no
# process or subshell delays the kill.
now() { local t=${EPOCHREALTIME/[.,]/}; printf -v "$1" '%d' $((10#$t)); }
random_below() { printf -v "$1" '%d' $(((RANDOM * 32768 + RANDOM) % ($2 > 0 ? $2 : 1))); }
seconds() { printf -v "$1" '%d.%06d' $(($2 / 1000000)) $(($2 % 1000000)); }

if ! "$driver" "$data" "$shipped" setup >"$work/setup.out" 2>&1; then
  cat "$work/setup.out"
  echo "the data folder could not be made"
  exit 1
fi

# Leftovers of a write the kill interrupted: the temporary files the
# program removes at its next start.
leftovers() {
  find "$data" -maxdepth 2 -type f \( -name '*.new' -o \( -name '*tmp' ! -name '*.*' \) \) | sort
}

verify() {
  local kind=$1 run=$2 out
  local left note=
  left=$(leftovers)
  if [ -n "$left" ]; then
    duringWrite=$((duringWrite + 1))
    note=", left $(echo "$left" | sed "s|$data/||" | tr '\n' ' ')"
  fi
  local empty damaged
  empty=$(find "$data" -type f -size 0 ! -name '*.new' ! \( -name '*tmp' ! -name '*.*' \))
  damaged=$(find "$data" -name '*.damaged')
  [ -z "$empty" ] || fail "$kind run $run: empty files: $empty"
  [ -z "$damaged" ] || fail "$kind run $run: files set aside: $damaged"
  if ! out=$("$tool" check "$data" 2>&1); then
    fail "$kind run $run: korvela-data check: $out"
  fi
  local files
  files=$(echo "$out" | sed -n 's/^checked \([0-9]*\) file.*/\1/p' | tail -n 1)
  filesChecked=$((filesChecked + ${files:-0}))
  if ! out=$("$driver" "$data" "$shipped" verify "${saves[food]}" "${saves[workout]}" \
    "${saves[weighin]}" 2>&1); then
    fail "$kind run $run (after ${saves[$kind]} reported saves): $out"
    return 1
  fi
  local found
  found=$(echo "$out" | sed -n "s/.*verified.* $kind=\([0-9]*\).*/\1/p")
  if [ "${found:-0}" -gt "${saves[$kind]}" ]; then
    unreported=$((unreported + 1))
    note="$note, the save in progress was stored"
  fi
  local twice
  twice=$(echo "$out" | sed -n 's/.*twice-stored-logs=\([0-9]*\)\/.*/\1/p')
  if [ "${twice:-0}" -gt 0 ]; then
    note="$note, $twice food logs in both files"
    twiceStored=$((twiceStored + 1))
  fi
  echo "$kind run $run: $phase, ${saves[$kind]} saves reported$note"
  for k in food workout weighin; do
    saves[$k]=$(echo "$out" | sed -n "s/.*verified.* $k=\([0-9]*\).*/\1/p")
  done
  lastVerify=$out
}

one_run() {
  local kind=$1 run=$2
  rm -f "$work/out"
  mkfifo "$work/out"
  "$driver" "$data" "$shipped" "$kind" "${saves[$kind]}" >"$work/out" 2>"$work/err" &
  driverPid=$!
  local started line saved=-1 delay text
  now started
  exec 3<"$work/out"
  if [ $((RANDOM % 10)) -eq 0 ]; then
    startupKills=$((startupKills + 1))
    random_below delay "${startup[$kind]}"
    seconds text "$delay"
    pause "$text"
    phase="killed $text s after its start"
  else
    if ! read -r -t 60 -u 3 line || [ "$line" != ready ]; then
      fail "$kind run $run: the driver did not start: $line $(cat "$work/err")"
      phase="not started"
    else
      local before after length=10000 wanted=$((1 + RANDOM % 3)) i
      now before
      startup[$kind]=$((before - started))
      for ((i = 0; i < wanted; i++)); do
        if ! read -r -t 60 -u 3 line; then break; fi
        now after
        case $line in
          saved*) saved=${line#saved } ;;
          *) fail "$kind run $run: $line"; break ;;
        esac
        length=$((after - before))
        before=$after
      done
      random_below delay "$length"
      seconds text "$delay"
      pause "$text"
      phase="killed $text s after save $saved was reported"
      seconds text "$length"
      phase="$phase (the save before took $text s)"
    fi
  fi
  kill -9 "$driverPid" 2>/dev/null
  wait "$driverPid" 2>/dev/null
  local status=$?
  driverPid=
  # What the driver printed before it died.
  while read -r -u 3 line; do
    case $line in
      saved*) saved=${line#saved } ;;
      FAULT*) fail "$kind run $run: $line" ;;
    esac
  done
  exec 3<&-
  if [ "$status" -ne 137 ]; then
    fail "$kind run $run: the driver ended by itself ($status): $(cat "$work/err")"
  fi
  kills=$((kills + 1))
  if [ "$saved" != -1 ]; then saves[$kind]=$((saved + 1)); fi
  verify "$kind" "$run"
}

for kind in food workout weighin; do
  for ((run = 1; run <= runs; run++)); do
    one_run "$kind" "$run"
  done
  echo "$kind: ${saves[$kind]} saves stored"
done

echo "kills: $kills ($startupKills during start-up), $duringWrite left a temporary file," \
  "$unreported after a save was stored but before it was reported," \
  "$twiceStored with food logs in both files"
echo "files checked: $filesChecked; last verify: ${lastVerify:-none}"
echo "failures: $failures"
[ "$failures" -eq 0 ]
