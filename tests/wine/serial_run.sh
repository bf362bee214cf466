#!/usr/bin/env bash
# Runs tst_wine_serial under Wine against the Linux emulator: the emulator serves a
# pseudo-terminal, the Wine prefix links COM5 to it, and the commands the instrument
# received are checked byte for byte once the test program has ended.
# No preload fakes the modem lines a pseudo-terminal lacks: with one, Wine's serial wait runs,
# but QSerialPort's open then waits inside Wine for a first received byte, which the
# instrument sends only when asked.
#   serial_run.sh LINUX_EMULATOR WINE_RUN WINE_PREFIX TEST_PROGRAM
set -euo pipefail
emulator=$1 wine_run=$2 prefix=$3 program=$4
port=COM5
# Measure (R 1M), Stop (S, clicked or after a full chart), Receive (T), Stop on close.
expected=$'received "R 1M"\nreceived "S"\nreceived "T"\nreceived "S"'

work=$(mktemp -d)
emulator_pid=""
cleanup() {
    [ -z "$emulator_pid" ] || kill "$emulator_pid" 2>/dev/null || true
    rm -f "$prefix/dosdevices/${port,,}"
    rm -rf "$work"
}
trap cleanup EXIT

# Started here, so that the list of objects it prints at its end, the port's unfinished wait
# among them, is not taken for the test's output.
WINEPREFIX="$prefix" wineserver -p1 >/dev/null 2>&1 || true

# A minute in 50 ms, and three logged pairs for Receive.
"$emulator" --speed 1200 --scenario room --seed 5 --logged 3 --log-interval 1M \
    >"$work/emulator.out" 2>"$work/emulator.log" &
emulator_pid=$!
for _ in $(seq 100); do
    grep -q '^Serving the instrument on ' "$work/emulator.out" && break
    sleep 0.05
done
device=$(sed -n 's/^Serving the instrument on //p' "$work/emulator.out")
[ -n "$device" ] || { echo "serial_run: the emulator did not start" >&2; exit 1; }
ln -sfn "$device" "$prefix/dosdevices/${port,,}"

status=0
TARNWICK_WINE_PORT=$port "$wine_run" "$program" || status=$?

kill "$emulator_pid" 2>/dev/null || true
wait "$emulator_pid" 2>/dev/null || true
emulator_pid=""
# Each line of the log starts with its time.
received=$(grep -o 'received .*' "$work/emulator.log" || true)
if [ "$received" != "$expected" ]; then
    echo "serial_run: the instrument received other commands than expected" >&2
    printf 'expected:\n%s\nreceived:\n%s\n' "$expected" "$received" >&2
    status=1
else
    echo "serial_run: the instrument received, byte for byte:"
    echo "$received"
fi
exit $status
